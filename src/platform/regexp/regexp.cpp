#include "platform/regexp/regexp.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/automation/dispatch_object.h"
#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/regexp/regexp_pattern.h"

namespace platform {

namespace {

// The matches of one Execute: the text searched, shared by every Match object made from it.
struct MatchList {
  std::u16string subject;
  std::vector<RegExpMatch> matches;
};
using MatchListPtr = std::shared_ptr<const MatchList>;

std::u16string textOf(const std::u16string& subject, RegExpMatch::Span span) {
  return subject.substr(span.begin, span.end - span.begin);
}

// A submatch's value: the text of its group, Empty for a group that took part in no match.
Variant groupValue(const std::u16string& subject, const std::optional<RegExpMatch::Span>& group) {
  return group ? Variant(textOf(subject, *group)) : Variant();
}

// The position `index` of a collection of `count` items; 5 when there is none.
size_t itemIndex(const Variant& index, size_t count) {
  const int32_t position = toInt32(index);
  if (position < 0 || static_cast<size_t>(position) >= count) {
    raise(ErrorCode::kInvalidProcedureCall);
  }
  return static_cast<size_t>(position);
}

// Steps through positions 0 .. count-1, giving the item `at` makes of each.
template <class At>
class IndexEnumerator final : public Enumerator {
 public:
  IndexEnumerator(size_t count, At at) : count_(count), at_(std::move(at)) {}
  std::optional<Variant> next() override {
    if (next_ >= count_) return std::nullopt;
    return at_(next_++);
  }

 private:
  size_t count_;
  At at_;
  size_t next_ = 0;
};

template <class At>
std::unique_ptr<Enumerator> enumerateIndices(size_t count, At at) {
  return std::make_unique<IndexEnumerator<At>>(count, std::move(at));
}

class SubMatches final : public DispatchObject {
 public:
  SubMatches(MatchListPtr list, size_t match)
      : DispatchObject(members()), list_(std::move(list)), match_(match) {}

  std::u16string typeName() const override { return u"ISubMatches"; }

  std::unique_ptr<Enumerator> enumerate() override {
    return enumerateIndices(groups().size(), [list = list_, match = match_](size_t i) {
      return groupValue(list->subject, list->matches[match].groups[i]);
    });
  }

 private:
  const std::vector<std::optional<RegExpMatch::Span>>& groups() const {
    return list_->matches[match_].groups;
  }

  static const MemberTable& members() {
    static const auto table =
        Members<SubMatches>()
            .property(
                u"Count",
                [](SubMatches& s) { return Variant(static_cast<int32_t>(s.groups().size())); })
            .indexedProperty(u"Item", 1,
                             [](SubMatches& s, std::span<Variant> index) {
                               const size_t i = itemIndex(index[0], s.groups().size());
                               return groupValue(s.list_->subject, s.groups()[i]);
                             })
            .defaultMember(u"Item");
    return table;
  }

  MatchListPtr list_;
  size_t match_;
};

class Match final : public DispatchObject {
 public:
  Match(MatchListPtr list, size_t index)
      : DispatchObject(members()), list_(std::move(list)), index_(index) {}

  std::u16string typeName() const override { return u"IMatch2"; }

 private:
  const RegExpMatch& match() const { return list_->matches[index_]; }

  static const MemberTable& members() {
    static const auto table =
        Members<Match>()
            .property(u"Value",
                      [](Match& m) { return Variant(textOf(m.list_->subject, m.match().whole)); })
            .property(u"FirstIndex",
                      [](Match& m) { return Variant(static_cast<int32_t>(m.match().whole.begin)); })
            .property(u"Length",
                      [](Match& m) {
                        const RegExpMatch::Span whole = m.match().whole;
                        return Variant(static_cast<int32_t>(whole.end - whole.begin));
                      })
            .property(u"SubMatches",
                      [](Match& m) {
                        return Variant(ObjectPtr(std::make_shared<SubMatches>(m.list_, m.index_)));
                      })
            .defaultMember(u"Value");
    return table;
  }

  MatchListPtr list_;
  size_t index_;
};

Variant matchObject(const MatchListPtr& list, size_t index) {
  return Variant(ObjectPtr(std::make_shared<Match>(list, index)));
}

class Matches final : public DispatchObject {
 public:
  explicit Matches(MatchListPtr list) : DispatchObject(members()), list_(std::move(list)) {}

  std::u16string typeName() const override { return u"IMatchCollection2"; }

  std::unique_ptr<Enumerator> enumerate() override {
    return enumerateIndices(list_->matches.size(),
                            [list = list_](size_t i) { return matchObject(list, i); });
  }

 private:
  static const MemberTable& members() {
    static const auto table =
        Members<Matches>()
            .property(
                u"Count",
                [](Matches& m) { return Variant(static_cast<int32_t>(m.list_->matches.size())); })
            .indexedProperty(u"Item", 1,
                             [](Matches& m, std::span<Variant> index) {
                               return matchObject(m.list_,
                                                  itemIndex(index[0], m.list_->matches.size()));
                             })
            .defaultMember(u"Item");
    return table;
  }

  MatchListPtr list_;
};

// Appends the replacement text `pattern` for `match`, with $ forms expanded as JScript does:
// $$ a dollar, $& the match, $` the text before it, $' the text after it, $n and $nn a group
// (two digits where that group exists, else one); any other $ stands for itself.
void expandReplacement(std::u16string& out, std::u16string_view pattern,
                       std::u16string_view subject, const RegExpMatch& match) {
  auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    if (c != u'$' || i + 1 == pattern.size()) {
      out.push_back(c);
      continue;
    }
    const char16_t next = pattern[i + 1];
    if (next == u'$') {
      out.push_back(u'$');
      ++i;
    } else if (next == u'&') {
      out.append(subject.substr(match.whole.begin, match.whole.end - match.whole.begin));
      ++i;
    } else if (next == u'`') {
      out.append(subject.substr(0, match.whole.begin));
      ++i;
    } else if (next == u'\'') {
      out.append(subject.substr(match.whole.end));
      ++i;
    } else if (isDigit(next)) {
      size_t group = static_cast<size_t>(next - u'0');
      size_t used = 1;
      if (i + 2 < pattern.size() && isDigit(pattern[i + 2])) {
        const size_t twoDigits = group * 10 + static_cast<size_t>(pattern[i + 2] - u'0');
        if (twoDigits >= 1 && twoDigits <= match.groups.size()) {
          group = twoDigits;
          used = 2;
        }
      }
      if (group >= 1 && group <= match.groups.size()) {
        if (const auto& span = match.groups[group - 1]) {
          out.append(subject.substr(span->begin, span->end - span->begin));
        }
        i += used;
      } else {
        out.push_back(u'$');
      }
    } else {
      out.push_back(u'$');
    }
  }
}

class RegExp final : public DispatchObject {
 public:
  RegExp() : DispatchObject(members()) {}

  std::u16string typeName() const override { return u"IRegExp2"; }

 private:
  // The pattern compiled for the current settings.
  const RegExpPattern& compiled() {
    if (!compiled_) {
      compiled_ = std::make_unique<RegExpPattern>(
          pattern_, RegExpPattern::Options{.ignoreCase = ignoreCase_, .multiline = multiline_});
    }
    return *compiled_;
  }

  // A setting changed: the pattern is compiled again when next used.
  template <class T>
  void change(T& setting, T value) {
    if (setting != value) compiled_.reset();
    setting = std::move(value);
  }

  std::vector<RegExpMatch> search(std::u16string_view subject) {
    const RegExpPattern& pattern = compiled();
    if (global_) return pattern.findAll(subject);
    std::vector<RegExpMatch> first;
    if (std::optional<RegExpMatch> match = pattern.find(subject, 0)) {
      first.push_back(std::move(*match));
    }
    return first;
  }

  Variant execute(const Variant& text) {
    auto list = std::make_shared<MatchList>();
    list->subject = toText(text);
    list->matches = search(list->subject);
    return Variant(ObjectPtr(std::make_shared<Matches>(std::move(list))));
  }

  Variant replace(const Variant& text, const Variant& replacement) {
    const std::u16string subject = toText(text);
    const bool byFunction = replacement.isObject() && replacement.object();
    const std::u16string replaceText = byFunction ? u"" : toText(replacement);
    const std::vector<RegExpMatch> matches = search(subject);
    std::u16string out;
    size_t copied = 0;
    for (const RegExpMatch& match : matches) {
      out.append(subject, copied, match.whole.begin - copied);
      if (byFunction) {
        out += replacementFrom(*replacement.object(), subject, match);
      } else {
        expandReplacement(out, replaceText, subject, match);
      }
      copied = match.whole.end;
    }
    out.append(subject, copied);
    return Variant(std::move(out));
  }

  // A function given as the replacement is called as JScript calls one: with the match, each
  // submatch (Empty where its group took no part), the match's position and the whole text.
  static std::u16string replacementFrom(AutomationObject& function, const std::u16string& subject,
                                        const RegExpMatch& match) {
    std::vector<Variant> args;
    args.reserve(match.groups.size() + 3);
    args.push_back(Variant(textOf(subject, match.whole)));
    for (const auto& group : match.groups)
      args.push_back(groupValue(subject, group));
    args.emplace_back(static_cast<int32_t>(match.whole.begin));
    args.push_back(Variant(subject));
    return toText(function.invoke(kDefaultMember, kMethod, args));
  }

  using Put = Members<RegExp>::Put;

  static Put flag(bool RegExp::*setting) {
    return [setting](RegExp& r, const Variant& value) { r.change(r.*setting, toBool(value)); };
  }

  static const MemberTable& members() {
    static const auto table =
        Members<RegExp>()
            .property(
                u"Pattern", [](RegExp& r) { return Variant(r.pattern_); },
                [](RegExp& r, const Variant& value) { r.change(r.pattern_, toText(value)); })
            .property(
                u"Global", [](RegExp& r) { return Variant(r.global_); }, flag(&RegExp::global_))
            .property(
                u"IgnoreCase", [](RegExp& r) { return Variant(r.ignoreCase_); },
                flag(&RegExp::ignoreCase_))
            .property(
                u"Multiline", [](RegExp& r) { return Variant(r.multiline_); },
                flag(&RegExp::multiline_))
            .method(u"Test", 1, 1,
                    [](RegExp& r, std::span<Variant> args) {
                      return Variant(r.compiled().find(toText(args[0]), 0).has_value());
                    })
            .method(u"Execute", 1, 1,
                    [](RegExp& r, std::span<Variant> args) { return r.execute(args[0]); })
            .method(u"Replace", 2, 2,
                    [](RegExp& r, std::span<Variant> args) { return r.replace(args[0], args[1]); });
    return table;
  }

  std::u16string pattern_;
  bool global_ = false;
  bool ignoreCase_ = false;
  bool multiline_ = false;
  std::unique_ptr<RegExpPattern> compiled_;
};

}  // namespace

ObjectPtr makeRegExp() {
  return std::make_shared<RegExp>();
}

void registerRegExp(ObjectCatalogue& catalogue) {
  catalogue.add(u"VBScript.RegExp", [](const StopCheck&) { return makeRegExp(); });
}

}  // namespace platform
