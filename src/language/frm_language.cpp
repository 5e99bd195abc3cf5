#include "language/frm_language.h"

#include <string>
#include <string_view>

#include "language/c_language.h"
#include "platform/automation/variant.h"
#include "platform/base/error.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "shared/config_window.h"
#include "shared/settings.h"
#include "shared/shared_objects.h"

namespace juvo {

namespace {

using platform::Bounds;
using platform::ControlKind;

constexpr int kClientWidth = 3105;
constexpr int kClientHeight = 1905;

// The texts stored with the layout; the load event replaces them before the window is shown.
constexpr char16_t kStoredTitle[] = u"Select Language";
constexpr char16_t kStoredSelectLabel[] = u"Select Language:";

}  // namespace

frmLanguage::frmLanguage(SharedObjects& shared)
    : shared_(shared),
      form_("frmLanguage", kStoredTitle, kClientWidth, kClientHeight,
            platform::BorderStyle::kFixedToolWindow) {
  // The list comes first in the tab order, so it has the focus when the window opens.
  form_.add(ControlKind::kLabel, "lblSelectLanguage", Bounds{240, 120, 2655, 255}, 1)
      .setText(kStoredSelectLabel);
  form_.add(ControlKind::kDropDownList, "cmbLang", Bounds{240, 360, 2655, 315}, 0).onClick([this] {
    cmbLang_Click();
  });
  form_.add(ControlKind::kLabel, "lblLangMessage", Bounds{240, 840, 2655, 975}, 2)
      .setWordWrap(true)
      .setMultiLine(true);
  form_.onLoad([this] { Form_Load(); });
}

void frmLanguage::Form_Load() {
  listlanguages();
  setcaptions();
}

void frmLanguage::listlanguages() {
  platform::Control& list = form_.control("cmbLang");
  platform::skipOnFailure([&] { list.addItem(u"English"); });
  std::vector<std::u16string> files;
  platform::skipOnFailure([&] {
    files = platform::files::find(shared_.languagesFolder() + u"/*.xml",
                                  platform::files::Entries::kOrdinaryFiles);
  });
  for (const std::u16string& file : files) {
    platform::skipOnFailure([&] { list.addItem(file.substr(0, file.rfind(u'.'))); });
  }
  listing_ = true;
  platform::skipOnFailure([&] { list.setText(shared_.currentlang); });
  listing_ = false;
}

void frmLanguage::setcaptions() {
  const cLanguage& table = shared_.language();
  form_.setCaption(table.str(u"frmLanguage"));
  form_.control("lblSelectLanguage").setText(table.str(u"lblSelectLanguage"));
  form_.control("lblLangMessage").setText(table.str(u"lblLangMessage"));
}

void frmLanguage::cmbLang_Click() {
  if (listing_) return;
  const std::u16string name = form_.control("cmbLang").text();
  shared_.language().loadfromfile(shared_.languagesFolder() + u"/" + name + u".xml");
  regSetValue(shared_.platform.registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting,
              platform::Variant(name));
  shared_.currentlang = name;
  setcaptions();
  ConfigWindow& config = shared_.configWindow();
  config.loadlang();
  config.scriptschange();
}

}  // namespace juvo
