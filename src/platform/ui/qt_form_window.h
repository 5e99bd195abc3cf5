// The Qt renderer of the form model: a fixed-size dialog whose client area is the form's
// (twips / 15 pixels), with the menu bar above it. The window follows the model's changes,
// and the user's actions reach the model's handlers. Closing the window closes the form, and
// closing the form ends the window.
#pragma once

#include <memory>

class QDialog;
class QWidget;

namespace platform {

class Form;

namespace qt {

// Pixels for `twips`, at 15 twips per pixel (96 dots per inch).
int pixels(int twips);

// A window for `form` (loaded already), owned by `parent` when not null. The widgets carry
// the names of their controls and menu items as object names. The window must not outlive
// the form.
std::unique_ptr<QDialog> createFormWindow(Form& form, QWidget* parent);

}  // namespace qt
}  // namespace platform
