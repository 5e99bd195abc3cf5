// Dates in the JScript engine, in pinned time zones: the texts of every Date method that
// writes one, getYear and setYear, and what Date.parse and new Date(text) read.
#include "platform/script/jscript_date_object.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/variant_convert.h"
#include "platform/base/text.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

// Zones as POSIX rules, which need no time zone database.
constexpr const char* kUtc = "UTC0";
constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr const char* kUsEastern = "EST5EDT,M3.2.0,M11.1.0";
constexpr const char* kIndia = "IST-5:30";

class JScriptDates : public ::testing::Test {
 protected:
  JScriptDates() : control(2s, testing::testServices()) {
    if (const char* zone = std::getenv("TZ")) savedZone = zone;
    control.setLanguage(u"JScript");
    control.AddCode(u"function run(code) { return String(eval(code)); }");
  }
  ~JScriptDates() override {
    if (savedZone) {
      ::setenv("TZ", savedZone->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }

  static void inZone(const char* zone) {
    ::setenv("TZ", zone, 1);
    ::tzset();
  }

  std::u16string eval(std::u16string_view code) {
    std::vector<Variant> args{Variant(std::u16string(code))};
    return toText(control.Run(u"run", args));
  }

  std::optional<std::string> savedZone;
  ScriptControl control;
};

TEST_F(JScriptDates, WriteAsJScriptInEveryZone) {
  const struct {
    const char* zone;
    std::u16string_view expression, expected;
  } cases[] = {
      {kUtc, u"String(new Date(2024, 1, 29, 13, 5, 9))", u"Thu Feb 29 13:05:09 UTC 2024"},
      {kUtc, u"new Date(2024, 1, 29, 13, 5, 9) + ''", u"Thu Feb 29 13:05:09 UTC 2024"},
      {kUtc, u"new Date(2024, 1, 29, 13, 5, 9).toDateString()", u"Thu Feb 29 2024"},
      {kUtc, u"new Date(2024, 1, 29, 13, 5, 9).toTimeString()", u"13:05:09 UTC"},
      {kUtc, u"new Date(2024, 1, 29, 13, 5, 9).toUTCString()", u"Thu, 29 Feb 2024 13:05:09 UTC"},
      {kUtc, u"new Date(2024, 1, 29, 13, 5, 9).toGMTString()", u"Thu, 29 Feb 2024 13:05:09 UTC"},
      {kUtc, u"new Date(2024, 1, 29, 13, 5, 9).toLocaleString()",
       u"Thursday, February 29, 2024 1:05:09 PM"},
      {kUtc, u"new Date(2024, 1, 29, 13, 5, 9).toLocaleDateString()",
       u"Thursday, February 29, 2024"},
      {kUtc, u"new Date(2024, 1, 29, 13, 5, 9).toLocaleTimeString()", u"1:05:09 PM"},
      {kUtc, u"new Date(2024, 1, 29, 13, 5, 9).toISOString()", u"2024-02-29T13:05:09.000Z"},
      {kCentralEurope, u"String(new Date(2024, 1, 29, 13, 5, 9))",
       u"Thu Feb 29 13:05:09 UTC+0100 2024"},
      {kCentralEurope, u"new Date(2024, 6, 4, 13, 5, 9).toTimeString()", u"13:05:09 UTC+0200"},
      {kCentralEurope, u"new Date(2024, 1, 29, 0, 30).toUTCString()",
       u"Wed, 28 Feb 2024 23:30:00 UTC"},
      {kUsEastern, u"String(new Date(2024, 1, 29, 13, 5, 9))", u"Thu Feb 29 13:05:09 EST 2024"},
      {kUsEastern, u"String(new Date(2024, 6, 4, 13, 5, 9))", u"Thu Jul 4 13:05:09 EDT 2024"},
      {kIndia, u"new Date(2024, 1, 29, 13, 5, 9).toTimeString()", u"13:05:09 UTC+0530"},
      // Before 1970, after 2038, before the common era.
      {kCentralEurope, u"String(new Date(1944, 0, 6, 6, 30))", u"Thu Jan 6 06:30:00 UTC+0100 1944"},
      {kUtc, u"String(new Date(2100, 0, 1))", u"Fri Jan 1 00:00:00 UTC 2100"},
      {kUtc, u"new Date(Date.UTC(-1, 0, 1)).toUTCString()", u"Fri, 1 Jan 2 B.C. 00:00:00 UTC"},
      // Invalid dates.
      {kUtc, u"String(new Date(NaN))", u"NaN"},
      {kUtc,
       u"var d = new Date('no date'); [d.toDateString(), d.toTimeString(), d.toUTCString(), "
       u"d.toLocaleString(), d.toLocaleDateString(), d.toLocaleTimeString()].join()",
       u"NaN,NaN,NaN,NaN,NaN,NaN"},
      {kUtc, u"try { new Date(NaN).toISOString() } catch (e) { e.name }", u"RangeError"},
      {kUtc, u"try { Date.prototype.toString.call({}) } catch (e) { e.name }", u"TypeError"},
      // Date() called as a function writes the time now.
      {kUtc,
       u"/^[A-Z][a-z]{2} [A-Z][a-z]{2} \\d\\d? \\d\\d:\\d\\d:\\d\\d UTC \\d{4}$/.test(Date())",
       u"true"},
  };
  for (const auto& c : cases) {
    inZone(c.zone);
    EXPECT_EQ(eval(c.expression), c.expected) << c.zone << ": " << toUtf8(c.expression);
  }
}

TEST_F(JScriptDates, LocaleFormsFollowTheEnginesLocale) {
  inZone(kCentralEurope);
  Locale dutch = Locale::english();
  dutch.longDatePattern = u"dddd d MMMM yyyy";
  dutch.timePattern = u"HH:mm:ss";
  dutch.dayNames[4] = u"donderdag";
  dutch.monthNames[1] = u"februari";
  const ScriptServices& shared = testing::testServices();
  ScriptControl dutchControl(2s, ScriptServices{shared.objects, shared.ui, shared.clock, dutch});
  dutchControl.setLanguage(u"JScript");
  dutchControl.AddCode(
      u"function written() { var d = new Date(2024, 1, 29, 13, 5, 9); return "
      u"[d.toLocaleString(), d.toLocaleDateString(), d.toLocaleTimeString(), "
      u"String(d)].join('|') }");
  EXPECT_EQ(toText(dutchControl.Run(u"written", {})),
            u"donderdag 29 februari 2024 13:05:09|donderdag 29 februari 2024|13:05:09|"
            u"Thu Feb 29 13:05:09 UTC+0100 2024");
}

TEST_F(JScriptDates, YearsOfTwoDigitsOnlyInTheTwentiethCentury) {
  inZone(kCentralEurope);
  EXPECT_EQ(eval(u"[1996, 1900, 1899, 1825, 2000, 2025].map(function (y) { "
                 u"return new Date(y, 5, 1).getYear() }).join()"),
            u"96,0,1899,1825,2000,2025");
  EXPECT_EQ(eval(u"new Date(NaN).getYear()"), u"NaN");
  EXPECT_EQ(eval(u"var d = new Date(2024, 1, 29); d.setYear(97); d.getFullYear()"), u"1997");
  EXPECT_EQ(eval(u"var d = new Date(2024, 1, 29); d.setYear(2010); d.getFullYear()"), u"2010");
}

TEST_F(JScriptDates, ReadJScriptsFormsAndIso) {
  const struct {
    const char* zone;
    std::u16string_view text, same;  // `text` reads as the time value of `same`
  } cases[] = {
      {kUtc, u"2/29/2024", u"new Date(2024, 1, 29)"},
      {kCentralEurope, u"2/29/2024", u"new Date(2024, 1, 29)"},
      {kUsEastern, u"7/4/2024 1:05 PM", u"new Date(2024, 6, 4, 13, 5)"},
      {kUsEastern, u"Thu Feb 29 13:05:09 UTC+0100 2024", u"Date.UTC(2024, 1, 29, 12, 5, 9)"},
      {kUsEastern, u"Thu Feb 29 13:05:09 PST 2024", u"Date.UTC(2024, 1, 29, 21, 5, 9)"},
      {kCentralEurope, u"February 29, 2024 13:05", u"new Date(2024, 1, 29, 13, 5)"},
      {kCentralEurope, u"29 Feb 2024", u"new Date(2024, 1, 29)"},
      {kCentralEurope, u"Thu, 29 Feb 2024 13:05:09 GMT", u"Date.UTC(2024, 1, 29, 13, 5, 9)"},
      {kCentralEurope, u"Jun 6 1944 06:30", u"new Date(1944, 5, 6, 6, 30)"},
      // ISO 8601 as the language reads it.
      {kCentralEurope, u"2024-02-29T13:05:09Z", u"Date.UTC(2024, 1, 29, 13, 5, 9)"},
      {kCentralEurope, u"2024-02-29T13:05:09.250+01:00", u"Date.UTC(2024, 1, 29, 12, 5, 9, 250)"},
      {kCentralEurope, u"2024-02-29", u"Date.UTC(2024, 1, 29)"},
  };
  for (const auto& c : cases) {
    inZone(c.zone);
    const std::u16string quoted = u"'" + std::u16string(c.text) + u"'";
    EXPECT_EQ(eval(u"Date.parse(" + quoted + u") === " + std::u16string(c.same) + u".valueOf()"),
              u"true")
        << c.zone << ": " << toUtf8(c.text);
    EXPECT_EQ(eval(u"new Date(" + quoted + u").getTime() === Date.parse(" + quoted + u")"), u"true")
        << toUtf8(c.text);
  }
  inZone(kUtc);
  EXPECT_EQ(eval(u"[Date.parse('no date'), Date.parse(''), Date.parse('2/30'), "
                 u"new Date('Feb 29 2024 23:15 PM').getTime()].join()"),
            u"NaN,NaN,NaN,NaN");
}

TEST_F(JScriptDates, WhatTheyWriteReadsBack) {
  for (const char* zone : {kUtc, kCentralEurope, kUsEastern, kIndia}) {
    inZone(zone);
    EXPECT_EQ(
        eval(u"var out = []; [new Date(2024, 1, 29, 13, 5, 9), new Date(2024, 6, 4, 1, 2, 3), "
             u"new Date(1901, 0, 1), new Date(2100, 11, 31, 23, 59, 59), "
             u"new Date(Date.UTC(-500, 3, 1))].forEach(function (d) { "
             u"if (Date.parse(d.toString()) !== d.getTime()) out.push(d.toString()); "
             u"if (Date.parse(d.toUTCString()) !== d.getTime()) out.push(d.toUTCString()); "
             u"if (new Date(String(d)).getTime() !== d.getTime()) out.push(String(d)); }); "
             u"out.join('|')"),
        u"")
        << zone;
  }
}

}  // namespace
}  // namespace platform
