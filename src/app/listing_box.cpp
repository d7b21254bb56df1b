#include "app/listing_box.h"

#include <QFontMetricsF>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <algorithm>

namespace zelk::app {
namespace {

constexpr int kUnknown = -2, kOtherWidth = -1;

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Whether `word` is a plain value: an optional minus, digits and points, and
// an optional unit sign after a digit ("-12", "0.40", "14.2V", "15°",
// "84%"). Word wrap breaks a line of such words only at spaces.
bool IsPlainValue(QStringView word) {
  qsizetype i = 0;
  if (word.size() > 1 && word[0] == QLatin1Char('-') && IsDigit(word[1])) ++i;
  const qsizetype last = word.size() - 1;
  for (; i < word.size(); ++i) {
    const QChar c = word[i];
    if (IsDigit(c) || c == QLatin1Char('.')) continue;
    const bool unit = c == QChar(0xB0) || c == QLatin1Char('V') || c == QLatin1Char('%');
    if (!(unit && i == last && i > 0 && IsDigit(word[i - 1]))) return false;
  }
  return true;
}

// Where word wrap breaks `paragraph` in lines `width` wide, as the places
// of the spaces that end its lines (a line keeps the spaces after its last
// word), its characters each `advance` wide and reaching `overhang[c]` past
// that: a line takes each next word whose ink fits on it. The first word
// of a paragraph stays on its line, however far its leading spaces take
// it. False when a word is not a plain value or is wider than a line,
// which the box may break inside the word.
bool WrapAtSpaces(QStringView paragraph, int advance, int width,
                  const std::array<int, 256>& overhang, std::vector<qsizetype>& breaks) {
  breaks.clear();
  const QChar space(QLatin1Char(' '));
  const qsizetype n = paragraph.size();
  const qsizetype columns = width / advance;
  if (n <= columns) return true;
  qsizetype start = 0;  // the current line's first character
  for (qsizetype i = 0; i < n;) {
    const qsizetype spaces = i;
    while (i < n && paragraph[i] == space) ++i;
    if (i - spaces > columns) return false;
    if (i == n) break;
    const qsizetype word = i;
    while (i < n && paragraph[i] != space) ++i;
    if (i - word > columns || !IsPlainValue(paragraph.sliced(word, i - word))) return false;
    const qint64 ink = (i - start) * qint64{advance} + overhang[paragraph[i - 1].unicode()];
    if (spaces > start && ink > width) {
      breaks.push_back(word - 1);
      start = word;
    }
  }
  return true;
}

}  // namespace

ListingBox::ListingBox(QWidget* parent) : QPlainTextEdit(parent) {}

bool ListingBox::Measure(const QString& text) {
  const QFont font = document()->defaultFont();
  if (advance_ == 0) {
    advance_ = qRound(QFontMetricsF(font).horizontalAdvance(QLatin1Char('0')) * 64);
    overhang_.fill(kUnknown);
  }
  if (advance_ <= 0) return false;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == '\n') continue;
    if (u >= overhang_.size() || u < 0x20) return false;
    if (overhang_[u] == kUnknown) {
      const QFontMetricsF metrics(font);
      overhang_[u] = qRound(metrics.horizontalAdvance(c) * 64) == advance_
                         ? qMax(0, -qRound(metrics.rightBearing(c) * 64))
                         : kOtherWidth;
    }
    if (overhang_[u] == kOtherWidth) return false;
  }
  return true;
}

void ListingBox::setListing(const QString& text) {
  text_ = text;
  text_.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  brokenAt_ = -1;
  Show(true);
}

// Puts the listing into the document, broken into lines at the box's
// width where it can be. The new text goes in after the old, which then
// goes: the edit's cursor stays at the start throughout, so no cursor is
// ever placed at the end of a long paragraph (finding its place there
// means laying out the whole of it).
void ListingBox::Show(bool fromStart) {
  // The box's layout measures its lines' width in 64ths of a pixel, within
  // the document's margins.
  const int width = static_cast<int>((viewport()->width() - 2 * document()->documentMargin()) * 64);
  const int brokenAt = width > 0 && Measure(text_) ? width : 0;
  if (brokenAt == brokenAt_) return;
  brokenAt_ = brokenAt;
  QString shown = text_;
  breaks_.clear();
  if (brokenAt > 0) {
    std::vector<qsizetype> breaks;
    for (qsizetype from = 0; from <= shown.size();) {
      qsizetype end = shown.indexOf(QLatin1Char('\n'), from);
      if (end < 0) end = shown.size();
      if (WrapAtSpaces(QStringView(shown).sliced(from, end - from), advance_, width, overhang_,
                       breaks)) {
        for (const qsizetype at : breaks) breaks_.push_back(from + at);
      }
      from = end + 1;
    }
    for (const qsizetype at : breaks_) shown[at] = QLatin1Char('\n');
  }
  const int scrolled = fromStart ? 0 : verticalScrollBar()->value();
  const QTextCursor before = textCursor();
  QTextDocument* doc = document();
  if (doc->isEmpty()) {
    doc->setPlainText(shown);
  } else {
    QTextCursor edit(doc);
    edit.beginEditBlock();
    edit.movePosition(QTextCursor::End);
    const int old = edit.position();
    edit.insertText(shown);
    edit.setPosition(0);
    edit.setPosition(old, QTextCursor::KeepAnchor);
    edit.removeSelectedText();
    edit.endEditBlock();
  }
  QTextCursor cursor(doc);
  if (!fromStart) {
    // The same characters at the same places: the selection stays.
    cursor.setPosition(before.anchor());
    cursor.setPosition(before.position(), QTextCursor::KeepAnchor);
  }
  setTextCursor(cursor);
  verticalScrollBar()->setValue(scrolled);
}

void ListingBox::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  Show(false);
}

void ListingBox::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange) {
    advance_ = 0;
    brokenAt_ = -1;
    Show(false);
  }
}

QString ListingBox::Unbroken(QString text, qsizetype from) const {
  for (auto at = std::lower_bound(breaks_.begin(), breaks_.end(), from);
       at != breaks_.end() && *at < from + text.size(); ++at) {
    text[*at - from] = QLatin1Char(' ');
  }
  return text;
}

QString ListingBox::listing() const { return Unbroken(toPlainText(), 0); }

// A copy holds the spaces where the lines were broken.
QMimeData* ListingBox::createMimeDataFromSelection() const {
  const QTextCursor cursor = textCursor();
  auto* data = new QMimeData;
  data->setText(Unbroken(cursor.selection().toPlainText(), cursor.selectionStart()));
  return data;
}

}  // namespace zelk::app
