// The key fuzzer's form: the headless window and a fresh title screen.
#include "fuzz/fuzz_support.h"
#include "game/game_state.h"
#include "platform/application.h"
#include "ui/main_window.h"

void prepareFuzzForm() {
  static bool prepared = false;
  if (prepared) return;
  platform::Application.initialize(platform::Backend::Headless);
  loadFormResources();
  resetAllState();
  FormCreate();
  prepared = true;
}

void freshTitle() {
  resetAllState();
  showTitle();
}
