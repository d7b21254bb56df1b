// The listing breaks its lines itself, where a plain text box of its width
// and font wraps them, and shows and copies the same text.
#include "app/listing_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextLayout>
#include <random>

#include "application.h"

namespace zelk::app {
namespace {

// Where each of the box's lines begins, in the document.
std::vector<int> LineStarts(QPlainTextEdit& box) {
  std::vector<int> starts;
  QTextDocument* doc = box.document();
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    doc->documentLayout()->blockBoundingRect(block);  // lays the block out
    for (int i = 0; i < block.layout()->lineCount(); ++i) {
      starts.push_back(block.position() + block.layout()->lineAt(i).textStart());
    }
  }
  return starts;
}

// A listing of each kind of value: degrees, volts right-aligned in five
// columns, fractions, plain and negative counts.
QString Listing(int kind) {
  std::mt19937 random(kind);
  QString text = QStringLiteral("Raw Data\r\n");
  while (text.size() < 4000) {
    const int v = static_cast<int>(random() % 3000) - (kind == 3 ? 1500 : 0);
    const QString values[] = {
        QString::number(v % 120) + QChar(0xB0),
        QString::number(v / 100.0, 'f', v % 3 ? 1 : 0).append(QLatin1Char('V')).rightJustified(5),
        QString::number(v / 3000.0, 'f', 2), QString::number(v)};
    text += values[kind] + QLatin1Char(' ');
  }
  return text;
}

TEST(ListingBox, BreaksWhereTheBoxWrapsAndCopiesTheText) {
  EnsureApplication();
  ListingBox listing;
  QPlainTextEdit plain;
  QPlainTextEdit* const boxes[] = {&listing, &plain};
  for (QPlainTextEdit* box : boxes) {
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->show();
  }
  // Sizes with and without a whole pixel to a character, and one where
  // "V" reaches a pixel past its width.
  for (const int pixels : {11, 27, 40}) {
    QFont font(QStringLiteral("Liberation Mono"));
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::PreferNoShaping);
    for (QPlainTextEdit* box : boxes) box->setFont(font);
    const double inside =
        listing.width() - listing.viewport()->width() + 2 * listing.document()->documentMargin();
    const double advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    for (int kind = 0; kind < 4; ++kind) {
      const QString text = Listing(kind);
      listing.setListing(text);
      plain.setPlainText(text);
      // The narrowest boxes that hold so many characters to a line: a word
      // that ends there fits only if its ink does.
      for (const int columns : {17, 41, 65, 89}) {
        const int width = qCeil(inside + columns * advance);
        SCOPED_TRACE(testing::Message() << pixels << " px, kind " << kind << ", " << width);
        for (QPlainTextEdit* box : boxes) box->resize(width, 120);
        const std::vector<int> lines = LineStarts(listing);
        ASSERT_EQ(lines, LineStarts(plain));
        EXPECT_EQ(lines.size(), listing.document()->blockCount());  // a block to each line
        EXPECT_EQ(listing.grab().toImage(), plain.grab().toImage());
      }
      listing.selectAll();
      listing.copy();
      EXPECT_EQ(QApplication::clipboard()->text(), plain.toPlainText());
    }
  }
  // A word that could break inside, a word or spaces longer than a line, or
  // a font whose characters differ in width leave the paragraph to the
  // box's own wrap.
  listing.resize(300, 120);
  const QString odd[] = {"a-b ", QString(40, QChar('1')) + ' ', "7" + QString(40, QChar(' ')),
                         "1.5V "};
  for (const QString& word : odd) {
    if (word == odd[3]) listing.setFont(QFont(QStringLiteral("Liberation Sans")));
    listing.setListing(word.repeated(40));
    EXPECT_EQ(listing.document()->blockCount(), 1) << word.toStdString();
  }
}

}  // namespace
}  // namespace zelk::app
