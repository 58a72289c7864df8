// The main form: loading what it draws with, sizing its two surfaces from the
// system metrics, the title screen with the once-per-run resets, and the frame
// copy that ends every key press.
#include "ui/main_window.h"

#include <cstdio>
#include <cstring>

#include "game/game_state.h"
#include "game/new_game.h"
#include "platform/application.h"
#include "platform/media/font.h"
#include "platform/media/jpeg_decode.h"
#include "platform/resources.h"
#include "ui/command_entry.h"
#include "ui/session.h"

TForm1 Form1;

namespace {

// The surfaces while drawing is off: empty ones are swapped in for the real.
DrawingRecord& drawing = Session.drawing;

constexpr int TitleTop = 32;

constexpr int SmallTextHeight = StripHeight;
constexpr int LargeTextHeight = GridTextHeight;

// The plain title shown when the built-in picture cannot be had: the size of
// the real one, so the screen keeps its layout.
constexpr int FallbackTitleWidth = 480;
constexpr int FallbackTitleHeight = 360;
constexpr platform::Color FallbackGround = 0xD8D8D8;
constexpr platform::Color FallbackFrame = 0x707070;

// Draws the game's name on a pale grey ground into a picture.
platform::Picture makeFallbackTitle() {
  platform::Canvas scratch;
  scratch.create(FallbackTitleWidth, FallbackTitleHeight);
  scratch.setBrushStyle(platform::BrushSolid);
  scratch.setBrushColor(FallbackFrame);
  scratch.fillRect(platform::Rect{0, 0, FallbackTitleWidth, FallbackTitleHeight});
  scratch.setBrushColor(FallbackGround);
  scratch.fillRect(platform::Rect{2, 2, FallbackTitleWidth - 2, FallbackTitleHeight - 2});

  scratch.setBrushStyle(platform::BrushClear);
  const char* name = "Velmora Keep";
  if (scratch.setFont(GameFace, LargeTextHeight)) {
    int width = scratch.textWidth(name, int(std::strlen(name)));
    scratch.textOut((FallbackTitleWidth - width) / 2, 60, name);
    scratch.setBrushStyle(platform::BrushSolid);
    scratch.setBrushColor(platform::ColorBlack);
    scratch.fillRect(platform::Rect{(FallbackTitleWidth - width) / 2, 60 + LargeTextHeight + 2,
                                    (FallbackTitleWidth + width) / 2, 60 + LargeTextHeight + 4});
    scratch.setBrushStyle(platform::BrushClear);
  }
  const char* hint = "Press any key";
  if (scratch.setFont(GameFace, SmallTextHeight)) {
    int width = scratch.textWidth(hint, int(std::strlen(hint)));
    scratch.textOut((FallbackTitleWidth - width) / 2, 280, hint);
  }

  platform::Picture picture;
  picture.width = FallbackTitleWidth;
  picture.height = FallbackTitleHeight;
  picture.pixels.assign(scratch.pixels(),
                        scratch.pixels() + FallbackTitleWidth * FallbackTitleHeight);
  return picture;
}

// Decodes the built-in title picture. A missing or damaged picture is no
// reason to refuse to play: the game says so once and shows a plain title.
void loadTitlePicture() {
  const char* problem = nullptr;
  platform::ResourceStream stream;
  if (!platform::findResource("TITLE", "JPEG", &stream)) {
    problem = "no TITLE picture is built in";
  } else if (!platform::decodeJpeg(stream, &Form1.title)) {
    problem = "the TITLE picture cannot be decoded";
  }
  if (problem == nullptr) return;
  std::fprintf(stderr, "velmora: %s; showing a plain title\n", problem);
  Form1.title = makeFallbackTitle();
}

// Returns the left edge that centres a picture on a surface, truncating
// toward zero (a surface 104 wider than the picture gives 52, one 97 wider
// gives 48).
int titleLeft(int surfaceWidth, int pictureWidth) {
  // Integer division truncates toward zero, as the centring has always done.
  return (surfaceWidth - pictureWidth) / 2;
}

}  // namespace

void loadFormResources() {
  Form1.Parts1.load("PARTS1", TileCount, false);
  Form1.Parts2.load("PARTS2", TileCount, false);
  Form1.Parts3.load("PARTS3", TileCount, false);
  Form1.Chara.load("CHARA", CharaImageCount, true);

  // The erase and submit cells hold control bytes that no font draws
  // legibly; show them as the erase-left and return signs instead.
  platform::showByteAs(EraseCode, 0x232B);
  platform::showByteAs(SubmitCode, 0x23CE);
  platform::prepareFont(GameFace, SmallTextHeight);
  platform::prepareFont(GameFace, LargeTextHeight);
  platform::prepareFont(platform::DefaultFontFace, SmallTextHeight);

  loadTitlePicture();
}

void FormCreate() {
  // A form created with its drawing set aside never draws: it gets no pixels.
  if (!drawing.aside) {
    FormSize size = formOuterSize();
    Form1.Image1.create(size.width, size.height);
    Form1.Image2.create(size.width, size.height);
    Form1.GridPicture.create(size.width, size.height);
  }
  // The strip speaks in the system's face until command entry brings its own.
  Form1.Image2.setFont(platform::DefaultFontFace, SmallTextHeight);
  showTitle();
}

void showTitle() {
  setStatus(GameTitleText);
  GameMode = ModeTitle;
  clearSurface();
  drawTitlePicture();
  presentFrame();
  resetForRun();
}

void drawTitlePicture() {
  Form1.Image2.draw(titleLeft(Form1.Image2.width(), Form1.title.width), TitleTop, Form1.title);
}

void clearSurface() {
  platform::Canvas& canvas = Form1.Image2;
  canvas.setBrushStyle(platform::BrushSolid);
  canvas.setBrushColor(platform::ColorWhite);
  canvas.fillRect(platform::Rect{0, 0, Form1.Image1.width(), Form1.Image1.height()});
}

namespace {

// Out of line, so that a frame set aside costs presentFrame only its test:
// a replay presses thousands of keys.
[[gnu::noinline]] void showFrame() {
  platform::Rect clip = Form1.Image1.clipRect();
  Form1.Image1.copyRect(clip, Form1.Image2, clip);
  platform::Application.present();
}

}  // namespace

void presentFrame() {
  if (!drawing.aside) showFrame();
}

void setFormDrawing(bool on) {
  if (on != drawing.aside) return;
  Form1.Image1.swapPixels(drawing.image1);
  Form1.Image2.swapPixels(drawing.image2);
  Form1.GridPicture.swapPixels(drawing.gridPicture);
  drawing.aside = !on;
}

bool formDrawing() { return !drawing.aside; }

bool gridShown() { return drawing.gridUnderStrip; }
void noteGridShown(bool shown) { drawing.gridUnderStrip = shown; }

const platform::ImageList* tileSetNumbered(int set) {
  switch (set) {
    case 1:
      return &Form1.Parts1;
    case 2:
      return &Form1.Parts2;
    case 3:
      return &Form1.Parts3;
    default:
      return nullptr;
  }
}
