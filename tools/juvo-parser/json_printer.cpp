#include "json_printer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "engine/chunks.h"
#include "error_report.h"
#include "platform/ui/terminal_ui.h"

namespace juvo::tool {

namespace {

QString q(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

const char* endingName(Ending ending) {
  switch (ending) {
    case Ending::kFinished:
      return "finished";
    case Ending::kUnreadable:
      return "unreadable";
    case Ending::kScriptError:
      return "script-error";
    case Ending::kNoRun:
      return "no-run";
    case Ending::kTimedOut:
      return "timed-out";
    case Ending::kStopped:
      return "stopped";
    case Ending::kFailed:
      return "failed";
  }
  return "failed";
}

QJsonObject failureJson(const platform::Error& error) {
  return {{"number", error.number()}, {"description", q(error.description())}};
}

QJsonArray boxesJson(const std::vector<ShownBox>& boxes) {
  QJsonArray array;
  for (const ShownBox& box : boxes) {
    const char* kind = box.kind == ShownBox::Kind::kMessage ? "message"
                       : box.kind == ShownBox::Kind::kInput ? "input"
                                                            : "form";
    array.append(QJsonObject{
        {"kind", kind},
        {"title", q(box.title)},
        {"text", q(box.text)},
        {"buttons", q(platform::buttonsName(box.buttons))},
        {"icon", q(platform::iconName(box.icon))},
        {"answer", box.kind == ShownBox::Kind::kInput ? QString("cancel")
                                                      : q(platform::answerName(box.answer))},
    });
  }
  return array;
}

QJsonArray errorsJson(const Happenings& happenings) {
  QJsonArray array;
  for (const platform::ScriptErrorInfo& error : happenings.scriptErrors) {
    const int line = fileLineOf(error.line);
    const int32_t column = shownColumn(error, happenings.columns);
    array.append(QJsonObject{
        {"line", line > 0 ? QJsonValue(line) : QJsonValue()},
        {"column", column > 0 ? QJsonValue(column) : QJsonValue()},
        {"description", q(error.description)},
        {"number", error.number},
        {"source", q(error.source)},
        {"text", q(error.text)},
    });
  }
  return array;
}

QJsonArray fetchesJson(const std::vector<Fetch>& fetches) {
  QJsonArray array;
  for (const Fetch& fetch : fetches) {
    QJsonObject object{{"url", q(fetch.url)},
                       {"milliseconds", static_cast<qint64>(fetch.elapsed.count())}};
    if (fetch.failure) {
      object["error"] = failureJson(*fetch.failure);
    } else {
      const platform::WebDocument& document = *fetch.document;
      object["status"] = static_cast<qint64>(document.status);
      object["bytes"] = static_cast<qint64>(document.bytes);
      object["charset"] = q(document.charset);
      object["finalUrl"] = q(document.url);
    }
    array.append(object);
  }
  return array;
}

QJsonArray tidyJson(const std::vector<platform::TidyMessage>& messages) {
  QJsonArray array;
  for (const platform::TidyMessage& message : messages) {
    array.append(QJsonObject{{"level", message.level},
                             {"line", message.line},
                             {"column", message.column},
                             {"text", q(message.text)}});
  }
  return array;
}

std::string text(const QJsonObject& object) {
  return QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
}

QJsonArray textsJson(const std::vector<std::string>& texts) {
  QJsonArray array;
  for (const std::string& entry : texts)
    array.append(q(entry));
  return array;
}

}  // namespace

std::string runJson(const std::string& file, const std::string& argument, const RunOutcome& outcome,
                    const std::vector<std::string>& names) {
  QJsonArray chunks;
  for (const std::u16string& chunk : splitChunks(outcome.result))
    chunks.append(q(chunk));
  return text({
      {"file", q(file)},
      {"argument", q(argument)},
      {"ending", endingName(outcome.ending)},
      {"result", q(outcome.result)},
      {"chunks", chunks},
      {"boxes", boxesJson(outcome.boxes)},
      {"errors", errorsJson(outcome)},
      {"failure", outcome.failure ? QJsonValue(failureJson(*outcome.failure)) : QJsonValue()},
      {"fetches", fetchesJson(outcome.fetches)},
      {"tidy", tidyJson(outcome.tidyMessages)},
      {"milliseconds", static_cast<qint64>(outcome.elapsed.count())},
      {"names", textsJson(names)},
  });
}

std::string infoJson(const std::string& file, const InfoOutcome& outcome,
                     const std::vector<std::string>& names) {
  return text({
      {"file", q(file)},
      {"shown", outcome.shown},
      {"description", outcome.shown ? QJsonValue(q(outcome.description)) : QJsonValue()},
      {"syntax", outcome.shown ? QJsonValue(q(outcome.syntax)) : QJsonValue()},
      {"help", outcome.shown ? QJsonValue(q(outcome.help)) : QJsonValue()},
      {"boxes", boxesJson(outcome.boxes)},
      {"errors", errorsJson(outcome)},
      {"failure", outcome.unreadable ? QJsonValue(failureJson(*outcome.unreadable)) : QJsonValue()},
      {"names", textsJson(names)},
  });
}

std::string checkJson(const std::vector<Finding>& findings, size_t parsers) {
  QJsonArray array;
  for (const Finding& finding : findings) {
    array.append(QJsonObject{
        {"file", q(finding.file)}, {"line", finding.line}, {"message", q(finding.message)}});
  }
  return text({{"parsers", static_cast<qint64>(parsers)}, {"findings", array}});
}

std::string testJson(const std::vector<ParserTestResult>& results) {
  qint64 passed = 0;
  qint64 failed = 0;
  qint64 untested = 0;
  QJsonArray parsers;
  for (const ParserTestResult& parser : results) {
    QJsonArray examples;
    for (const ExampleResult& example : parser.examples) {
      QJsonArray problems;
      for (const std::string& problem : example.problems)
        problems.append(q(problem));
      examples.append(QJsonObject{
          {"line", example.line},
          {"argument", q(example.argument)},
          {"passed", example.passed},
          {"problems", problems},
          {"result", q(example.outcome.result)},
          {"boxes", boxesJson(example.outcome.boxes)},
          {"fetches", fetchesJson(example.outcome.fetches)},
      });
      ++(example.passed ? passed : failed);
    }
    if (parser.problem) ++untested;
    QJsonArray recorded;
    for (const std::u16string& url : parser.recorded)
      recorded.append(q(url));
    parsers.append(QJsonObject{
        {"parser", q(parser.files.shownParser)},
        {"examples", q(parser.files.shownExamples)},
        {"problem", parser.problem ? QJsonValue(q(*parser.problem)) : QJsonValue()},
        {"recorded", recorded},
        {"unrecorded", textsJson(parser.unrecorded)},
        {"stopped", parser.stopped},
        {"results", examples},
    });
  }
  return text(
      {{"passed", passed}, {"failed", failed}, {"untested", untested}, {"parsers", parsers}});
}

}  // namespace juvo::tool
