#include "language/english_defaults.h"

#include "shared/maker.h"

namespace juvo {

namespace {

// Short enough for the four lines the language window has room for.
constexpr auto kLangMessage = join(
    u"If your language has errors, or is missing and you would like to translate JUVO, e-mail ",
    maker::kMail, u".");

constexpr auto kConfigTitle = join(u"Juvo for MSN Messenger - by ", maker::kName);

constexpr auto kAbout = join(u"JUVO was started by ", maker::kName, u".\r\n",  //
                             u"Written by ", maker::kName, u".\r\n",           //
                             u"Thanks to the Messenger Plus community for all their support.\r\n",
                             u"Thanks to everyone who tested and rated JUVO.");

constexpr auto kShare =
    join(u"I use Juvo, the parser plug-in for Messenger Plus! Download it for free at ",
         maker::kDownloadPage);

constexpr auto kMoreParsers = join(u"Visit ", maker::kDownloadPage, u" for more parsers.");

constexpr DefaultText kDefaults[] = {
    {u"mnuFile", u"F&ile"},
    {u"mnuLang", u"Change &language"},
    {u"mnuUpdate", u"Check for &updates"},
    {u"mnuDownloadParsers", u"Download more &parsers"},
    {u"mnuClose", u"&Close"},
    {u"mnuHelp", u"&Help"},
    {u"mnuUse", u"How does JUVO &work?"},
    {u"mnuMakeOwnParser", u"How do I &make my own parser?"},
    {u"mnuAbout", u"&About"},
    {u"lblInstalledParsers", u"Installed parsers:"},
    {u"lblDescription", u"Description:"},
    {u"lblSyntax", u"Syntax:"},
    {u"lblHowToUse", u"How to use"},
    {u"lblSelectLanguage", u"Select language:"},
    {u"lblLangMessage", kLangMessage.view()},
    {u"frmLanguage", u"Language"},
    {u"frmConfig", kConfigTitle.view()},
    {u"cmdRefresh", u"Refresh"},
    {u"cmdDeleteParser", u"Delete parser"},
    {u"cmdTryCommand", u"Try command"},
    {u"msgAbout", kAbout.view()},
    {u"msgSureDelete", u"Are you sure you want to delete %parser%?"},
    {u"msgTryCommandInput", u"Enter the arguments you want to run the parser '%parser%' with."},
    {u"msgTryCommandNote", u"(Note: normally you precede the arguments with /xjuvo %parser%)"},
    {u"msgTryCommandResult", u"Result of trying parser"},
    {u"msgNewVersion", u"New version available"},
    {u"msgNoNewVersion", u"You already have the latest version of JUVO"},
    {u"msgNoHelpFound", u"No help found"},
    {u"msgNoDescriptionFound", u"No description found"},
    {u"msgNoSyntaxFound", u"No syntax found"},
    {u"msgParserNotFound",
     u"No parser with the name '%parser%' found.\r\n"
     u"Type /xjuvoconfig for a list of installed parsers."},
    {u"msgShare", kShare.view()},
    {u"msgMoreParsers", kMoreParsers.view()},
    {u"msgTimeout", u"Parser timeout, the parser took to long to execute."},
    {u"comJuvoName", u"Use parser"},
    {u"comJuvoHelp", u"parser name> <argument(s)"},
    {u"comWsName", u"Use parser (alias for /xjuvo)"},
    {u"comShareName", u"Share Juvo plugin"},
    {u"comShareParserName", u"Share a parser with your buddy"},
    {u"comShareParserHelp", u"parser name"},
    {u"comConfigName", u"Show config window"},
};

static_assert(std::size(kDefaults) == 41);

}  // namespace

std::span<const DefaultText> englishDefaults() {
  return kDefaults;
}

}  // namespace juvo
