// The File and Help menus of the configuration window. Each item acts at once, asks nothing
// first and changes no setting itself.
#include "config/frm_config.h"
#include "config/portal.h"
#include "config/update_check.h"
#include "language/c_language.h"
#include "language/frm_language.h"
#include "platform/platform.h"
#include "platform/ui/ui.h"
#include "shared/shared_objects.h"

namespace juvo {

void frmConfig::wireMenus() {
  form_.menuItem("mnuLang").onClick([this] { mnuLang_Click(); });
  form_.menuItem("mnuUpdate").onClick([this] { mnuUpdate_Click(); });
  form_.menuItem("mnuDownloadParsers").onClick([this] { mnuDownloadParsers_Click(); });
  form_.menuItem("mnuClose").onClick([this] { mnuClose_Click(); });
  form_.menuItem("mnuUse").onClick([this] { mnuUse_Click(); });
  form_.menuItem("mnuMakeOwnParser").onClick([this] { mnuMakeOwnParser_Click(); });
  form_.menuItem("mnuAbout").onClick([this] { mnuAbout_Click(); });
}

// A fresh language window each time, owned by this one. Whatever the user picks there is
// applied, here too, by the language window itself; nothing more happens when it closes.
void frmConfig::mnuLang_Click() {
  frmLanguage chooser(shared_);
  shared_.platform.ui.showModal(chooser.form(), &form_);
}

void frmConfig::mnuUpdate_Click() {
  checkForUpdates(shared_);
}

void frmConfig::mnuDownloadParsers_Click() {
  openPortalPage(shared_, kParsersPage);
}

void frmConfig::mnuClose_Click() {
  form_.close();
}

void frmConfig::mnuUse_Click() {
  openPortalPage(shared_, kPluginPage);
}

void frmConfig::mnuMakeOwnParser_Click() {
  openPortalPage(shared_, kTutorialPage);
}

void frmConfig::mnuAbout_Click() {
  shared_.platform.ui.messageBox(shared_.language().str(u"msgAbout"), platform::Buttons::kOk,
                                 platform::Icon::kInformation, kApplicationTitle);
}

}  // namespace juvo
