// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Pastes as browsers put them on the clipboard: HTML, and the same lyrics as plain text.
#include "ui/ruby_paste.h"

#include <gtest/gtest.h>

namespace {

struct PasteCase {
  const char* name;
  QString plain;
  QString html;
  QString expected;
};

// Chrome's and Edge's HTML on Windows, once Qt has taken the header away.
QString Chrome(const QString& fragment) {
  return QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>\n<!--StartFragment-->") +
         fragment + QStringLiteral("<!--EndFragment-->\n</body></html>");
}

QString Firefox(const QString& fragment) {
  return QStringLiteral("<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">") +
         fragment;
}

// The clipboard's HTML format on Windows as it comes, with the header of offsets and some of the
// page around the selection: here a heading with a ruby of its own.
QString WindowsClipboard(const QString& fragment) {
  return QStringLiteral(
             "Version:0.9\r\nStartHTML:0000000105\r\nEndHTML:0000000350\r\n"
             "StartFragment:0000000210\r\nEndFragment:0000000314\r\n"
             "<html><head><title>歌詞</title></head><body>\r\n"
             "<h1><ruby>歌<rt>うた</rt></ruby>の夜</h1><!--StartFragment-->") +
         fragment + QStringLiteral("<!--EndFragment-->\r\n</body>\r\n</html>");
}

TEST(TextWithRubyReadings, WritesEachRubyOfThePlainTextInBracketsAfterItsBase) {
  const PasteCase cases[] = {
      {"glued readings, several on a line, over paragraphs",
       QStringLiteral("運命さだめの人ひと\n\n 二人で"),
       Chrome(QStringLiteral("<p><ruby>運命<rt>さだめ</rt></ruby>の<ruby>人<rt>ひと</rt></ruby></p>"
                             "<p>&nbsp;二人で</p>")),
       QStringLiteral("運命（さだめ）の人（ひと）\n\n 二人で")},
      {"<rb> and <rp> around readings, lines broken by <br>",
       QStringLiteral("運命(さだめ)の\n夜(よる)"),
       Chrome(
           QStringLiteral("<div><ruby><rb>運命</rb><rp>(</rp><rt>さだめ</rt><rp>)</rp></ruby>の<br>"
                          "<ruby><rb>夜</rb><rp>(</rp><rt>よる</rt><rp>)</rp></ruby></div>")),
       QStringLiteral("運命（さだめ）の\n夜（よる）")},
      {"entities in bases and readings, full-width <rp>",
       QStringLiteral(u"R&B\u00a0の歌うた\n星&月（ほし&つき）"),
       Firefox(QStringLiteral(
           "<div>R&amp;B&nbsp;の<ruby>歌<rt>うた</rt></ruby></div>"
           "<div><ruby>星&amp;月<rp>（</rp><rt>ほし&amp;つき</rt><rp>）</rp></ruby></div>")),
       QStringLiteral(u"R&B\u00a0の歌（うた）\n星&月（ほし&つき）")},
      {"a base that stands alone before its ruby", QStringLiteral("運命 運命さだめ\n"),
       Firefox(QStringLiteral("運命 <ruby>運命<rt>さだめ</rt></ruby><br>")),
       QStringLiteral("運命 運命（さだめ）\n")},
      {"the page's own brackets, under the Windows header",
       QStringLiteral("涙《なみだ》の歌うたい"),
       WindowsClipboard(
           QStringLiteral("<ruby>涙<rp>《</rp><rt>なみだ</rt><rp>》</rp></ruby>の歌うたい")),
       QStringLiteral("涙（なみだ）の歌うたい")},
      {"no plain text: the HTML's own, selection only", QString(),
       WindowsClipboard(QStringLiteral("<p><ruby>空<rt>そら</rt></ruby>へ</p><p>&amp;</p>")),
       QStringLiteral("空（そら）へ\n&")},
      {"several bases in one ruby, an empty reading, an unclosed <rt>",
       QStringLiteral("漢かん字じの君と空そら"),
       Chrome(QStringLiteral("<ruby>漢<rt>かん</rt>字<rt>じ</rt></ruby>の<ruby>君<rt></rt></ruby>"
                             "と<ruby>空<rt>そら</ruby>")),
       QStringLiteral("漢（かん）字（じ）の君と空（そら）")},
      {"a ruby the plain text does not hold, then one it holds",
       QStringLiteral("運命さだめの人ひと"),
       Chrome(QStringLiteral("<ruby>運命<rt>うんめい</rt></ruby>の<ruby>人<rt>ひと</rt></ruby>")),
       QStringLiteral("運命さだめの人（ひと）")},
      {"no ruby", QStringLiteral("運命さだめ\n"), Chrome(QStringLiteral("<p>運命さだめ</p>")),
       QStringLiteral("運命さだめ\n")},
  };
  for (const PasteCase& c : cases) {
    EXPECT_EQ(ui::TextWithRubyReadings(c.plain, c.html), c.expected) << c.name;
  }
}

}  // namespace
