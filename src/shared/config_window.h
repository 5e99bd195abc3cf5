// ConfigWindow: the one configuration window as the rest of the plug-in reaches it through the
// shared objects. The window itself (frmConfig) lives a layer up; the shared objects hold it
// through this interface and make it with the factory they were given.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {
class Form;
}

namespace juvo {

class SharedObjects;

class ConfigWindow {
 public:
  virtual ~ConfigWindow() = default;

  // The window's form model.
  virtual platform::Form& form() = 0;

  // Runs the parser file at `filename` with `argument` in the window's script host and returns
  // its result in chunks; every failure goes to the caller.
  virtual std::u16string runScript(std::u16string_view filename, std::u16string_view argument) = 0;

  // Sets every caption again from the string table in use.
  virtual void loadlang() = 0;

  // Shows the selected parser's description, syntax and help again.
  virtual void scriptschange() = 0;
};

// Makes a configuration window, not yet loaded, over the shared objects.
using ConfigWindowFactory = std::function<std::shared_ptr<ConfigWindow>(SharedObjects&)>;

}  // namespace juvo
