// Starting the form the same way on every backend: the application, its
// title, what the form draws with, and the form's window; and its restart.
#include "ui/form_start.h"

#include "game/game_state.h"
#include "platform/application.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/played_worlds.h"
#include "ui/view_size.h"

namespace {

// The window shows the upper surface, where all drawing goes.
const platform::Canvas* topSurface() { return &Form1.Image2; }

}  // namespace

void startForm(const FormStart& start) {
  static bool resourcesLoaded = false;
  platform::Application.initialize(start.backend, start.window);
  platform::Application.setTitle(ApplicationTitle);
  if (start.beforeWindow) start.beforeWindow();
  if (start.pictures && !resourcesLoaded) {
    loadFormResources();
    resourcesLoaded = true;
  }
  setFormDrawing(start.pictures);
  giveWorlds(start.worlds);
  platform::Application.createForm(
      FormCaption, ViewWidth, ViewHeight,
      platform::FormEvents{FormCreate, start.keyDown ? start.keyDown : FormKeyDown, topSurface,
                           start.typed, start.tick, start.closing});
}

void restartForm() {
  resetAllState();
  FormCreate();
}
