// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/ruby_paste.h"

#include <QList>
#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace ui {
namespace {

constexpr auto kOptions =
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption;

// One base with its reading, and the brackets that <rp> puts around the reading for readers that
// show no ruby.
struct Ruby {
  QString base;
  QString reading;
  QString open;
  QString close;
};

QString Text(const QString& html) {
  return QTextDocumentFragment::fromHtml(html).toPlainText().trimmed();
}

// What was copied: on Windows it comes between <!--StartFragment--> and <!--EndFragment-->, after
// a header of offsets and some of the page around it, whose rubies are not in the plain text.
QString Fragment(const QString& html) {
  static const QRegularExpression start(QStringLiteral(R"(<!--\s*StartFragment\s*-->)"), kOptions);
  static const QRegularExpression end(QStringLiteral(R"(<!--\s*EndFragment\s*-->)"), kOptions);
  const QRegularExpressionMatch first = start.match(html);
  if (first.hasMatch()) {
    const qsizetype from = first.capturedEnd();
    const qsizetype to = html.indexOf(end, from);
    if (to >= 0) return html.mid(from, to - from);
  }
  return html;
}

// Where the content of a <ruby> element is read: in a base, in its reading, or after that.
enum class RubyPart { kBase, kReading, kAfterReading };

// The bases and readings of one <ruby> element's content, in order: a ruby may give several
// bases each its own <rt>, and may leave <rt> and <rb> unclosed.
QList<Ruby> Rubies(const QString& content) {
  static const QRegularExpression tag(QStringLiteral(R"(<(/?)(rb|rt|rp)\b[^>]*>)"), kOptions);
  using Part = RubyPart;
  QList<Ruby> rubies;
  Ruby html;  // the current ruby's parts, still as HTML
  Part part = Part::kBase;
  bool in_rp = false;
  const auto finish = [&] {
    if (part == Part::kBase) return;
    rubies.append({Text(html.base), Text(html.reading), Text(html.open), Text(html.close)});
    html = {};
    part = Part::kBase;
  };
  const auto add = [&](QStringView text) {
    if (in_rp) {
      (part == Part::kBase ? html.open : html.close) += text;
    } else if (part == Part::kReading) {
      html.reading += text;
    } else {
      if (part == Part::kAfterReading && !text.trimmed().isEmpty()) finish();
      if (part == Part::kBase) html.base += text;
    }
  };
  qsizetype at = 0;
  for (const QRegularExpressionMatch& match : tag.globalMatch(content)) {
    add(QStringView(content).mid(at, match.capturedStart() - at));
    at = match.capturedEnd();
    const bool closing = !match.captured(1).isEmpty();
    const QString name = match.captured(2).toLower();
    if (name == QLatin1String("rp")) {
      in_rp = !closing;
    } else if (name == QLatin1String("rt")) {
      in_rp = false;
      if (closing) {
        if (part == Part::kReading) part = Part::kAfterReading;
      } else {
        if (part != Part::kBase) finish();
        part = Part::kReading;
      }
    } else if (!closing) {  // <rb>: a new base
      finish();
    }
  }
  add(QStringView(content).mid(at));
  finish();
  return rubies;
}

const QRegularExpression& RubyElement() {
  static const QRegularExpression ruby(QStringLiteral(R"(<ruby\b[^>]*>(.*?)</ruby\s*>)"), kOptions);
  return ruby;
}

QString Written(const Ruby& ruby) { return ruby.base + u'（' + ruby.reading + u'）'; }

// How long the base and reading of `ruby` are at `at` in `plain`, the reading glued on or in
// brackets; 0 when they are not there.
qsizetype LengthAt(const QString& plain, qsizetype at, const Ruby& ruby) {
  if (!QStringView(plain).mid(at).startsWith(ruby.base)) return 0;
  const QStringView rest = QStringView(plain).mid(at + ruby.base.size());
  const QString forms[] = {ruby.reading, ruby.open + ruby.reading + ruby.close,
                           u'(' + ruby.reading + u')', u'（' + ruby.reading + u'）'};
  for (const QString& form : forms) {
    if (rest.startsWith(form)) return ruby.base.size() + form.size();
  }
  return 0;
}

}  // namespace

bool HasRubyReadings(const QString& html) {
  static const QRegularExpression reading(QStringLiteral(R"(<rt[\s>])"), kOptions);
  return html.contains(reading);
}

QString TextWithRubyReadings(const QString& plain, const QString& html) {
  const QString fragment = Fragment(html);
  if (plain.isEmpty()) {
    QString written;
    qsizetype copied = 0;
    for (const QRegularExpressionMatch& match : RubyElement().globalMatch(fragment)) {
      written += QStringView(fragment).mid(copied, match.capturedStart() - copied);
      copied = match.capturedEnd();
      for (const Ruby& ruby : Rubies(match.captured(1))) {
        written += (ruby.reading.isEmpty() ? ruby.base : Written(ruby)).toHtmlEscaped();
      }
    }
    written += QStringView(fragment).mid(copied);
    return QTextDocumentFragment::fromHtml(written).toPlainText();
  }

  QString text;
  qsizetype copied = 0;
  for (const QRegularExpressionMatch& match : RubyElement().globalMatch(fragment)) {
    for (const Ruby& ruby : Rubies(match.captured(1))) {
      if (ruby.base.isEmpty() || ruby.reading.isEmpty()) continue;
      for (qsizetype at = plain.indexOf(ruby.base, copied); at >= 0;
           at = plain.indexOf(ruby.base, at + 1)) {
        if (const qsizetype length = LengthAt(plain, at, ruby)) {
          text += QStringView(plain).mid(copied, at - copied);
          text += Written(ruby);
          copied = at + length;
          break;
        }
      }
    }
  }
  text += QStringView(plain).mid(copied);
  return text;
}

}  // namespace ui
