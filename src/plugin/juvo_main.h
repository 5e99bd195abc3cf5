// juvo_main: the plug-in object, the one implementation of the host's contract, in C++ terms.
// The COM class (juvo_main_com) wraps it for the host: it converts BSTRs and VARIANTs and
// turns any failure into an HRESULT, so nothing thrown here crosses the module boundary.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "shared/shared_objects.h"

namespace juvo {

class juvo_main {
 public:
  // Runs the creation steps: the first-run setting, a new string table, the JUVO folders.
  // Each step is trapped; a failing one is skipped.
  explicit juvo_main(SharedObjects& shared);

  // Starts the count of parser results again; always true.
  bool Initialize(int32_t nVersion, std::u16string_view sUserEmail);
  void Uninitialize() {}
  // Shows the configuration window modally; failures go to the caller.
  void Configure();

  // Publishing: the plug-in's name and its four commands (no tags). Failures go to the caller.
  bool GetPublishInfo(std::u16string& sPluginName, int32_t& nCommandCount, int32_t& nTagCount);
  void GetPublishCommandInfo(int32_t nCommandIdx, std::u16string& sName, std::u16string& sValue,
                             std::u16string& sHelp);
  void GetPublishTagInfo(int32_t nTagIdx, std::u16string& sName, std::u16string& sValue);

  // A chat command. True when it is one of ours; `sResult` then holds what to send (empty for
  // nothing). False leaves `sResult` as it came. Traps every failure once started.
  bool ParseCommand(std::u16string_view sCommand, std::u16string_view sCommandArg,
                    std::u16string& sResult);
  bool ParseTag(std::u16string_view sTag, std::u16string& sResult);
  bool ReceiveNotify(std::u16string_view sNotifyCode, std::u16string_view sText,
                     std::u16string_view sContactName, std::u16string& sTextToSend);

  // The non-empty parser results since creation or the last Initialize.
  int16_t parserResults() const { return nParserResults_; }
  // Counts a parser's result if it is not empty, and shows the toast with every third one. The
  // count is 16-bit: after 32767 it turns over to 0, a multiple of three like any other, so
  // the toasts keep coming (that once after two results instead of three) and no overflow
  // ever costs the user a result.
  void countParserResult(std::u16string_view result);

 private:
  // "/xjuvo" and "/xws": the text to send for the argument text.
  std::u16string runParserCommand(std::u16string_view sCommandArg);
  // "/xjuvoconfig" and Configure.
  void showConfiguration();

  SharedObjects& shared_;
  int16_t nParserResults_ = 0;
};

}  // namespace juvo
