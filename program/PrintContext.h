// What the print engine works with in the running program: the catalogue through the
// controller, error boxes on the UI thread, messages through Qt's event queue, Qt's text
// drawing and the preview window. Set before every print command; the engine keeps pointers to
// these services, so one context lives as long as the application.
#pragma once

#include <memory>

namespace vx {

class ApplicationCore;
class UiServices;

class PrintContext {
 public:
  PrintContext();
  ~PrintContext();

  // The engine's context for the next job: the controller's catalogue, the event's image folder
  // and the layout file beside the program. False when no catalogue is open.
  bool Set(ApplicationCore& core, UiServices& ui);

 private:
  struct Services;
  std::unique_ptr<Services> services_;
};

}  // namespace vx
