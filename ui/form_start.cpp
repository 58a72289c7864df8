// Starting the form the same way on every backend: the application, its
// title, what the form draws with, the front end's hooks, and the form's
// window with the one key chain behind it; and its restart.
#include "ui/form_start.h"

#include "game/game_state.h"
#include "platform/application.h"
#include "platform/message_box.h"
#include "statements/dispatcher.h"
#include "ui/key_chain.h"
#include "ui/main_window.h"
#include "ui/played_worlds.h"
#include "ui/session.h"
#include "ui/typing.h"
#include "ui/view_size.h"

namespace {

// The window shows the upper surface, where all drawing goes.
const platform::Canvas* topSurface() { return &Form1.Image2; }

}  // namespace

void showHelpBox() { platform::showMessageBox(HelpText, ""); }

void startForm(const FormStart& start) {
  // What the form draws with lives in Form1 for the whole process.
  static bool resourcesLoaded = false;
  platform::Application.initialize(start.backend, start.window);
  platform::Application.setTitle(ApplicationTitle);
  if (start.beforeWindow) start.beforeWindow();
  if (start.pictures && !resourcesLoaded) {
    loadFormResources();
    resourcesLoaded = true;
  }
  setFormDrawing(start.pictures);
  Session.hooks = FrontEndHooks{start.keyPlayed, start.showHelp, start.tickPlaysWatch};
  setTyping(start.typing);
  giveWorlds(start.worlds);
  platform::Application.createForm(FormCaption, ViewWidth, ViewHeight,
                                   platform::FormEvents{FormCreate, frontEndKeyDown, topSurface,
                                                        start.typing ? frontEndCharacter : nullptr,
                                                        frontEndTick, start.closing});
}

void restartForm() {
  resetAllState();
  FormCreate();
}
