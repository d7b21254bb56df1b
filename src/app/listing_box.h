// The raw-data listing: a read-only text box whose paragraphs wrap at its
// width. A listing is one paragraph of tens of thousands of characters,
// and a text box lays out the whole of a paragraph before it paints any of
// it. So a paragraph of plain values is broken into its lines here, where
// the box's own word wrap would break it, a block to each line: the box
// then lays out only the lines it shows. What the box shows, and the text a
// copy of a selection holds, stay those of the unbroken text.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <array>
#include <vector>

namespace zelk::app {

class ListingBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ListingBox(QWidget* parent = nullptr);

  // Shows `text` from its start.
  void setListing(const QString& text);
  // The text the box shows, its lines unbroken, as a copy of the whole of
  // it holds it (lines end in LF).
  QString listing() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;

 private:
  // Whether every character of `text` has the one width of the font's
  // characters, so that a line's width is its characters' count times it.
  bool Measure(const QString& text);
  void Show(bool fromStart);
  // The document's text from `from` on, `text`, with the spaces put back.
  QString Unbroken(QString text, qsizetype from) const;

  QString text_;
  // The document's places of the spaces shown as line ends, in order.
  std::vector<qsizetype> breaks_;
  int brokenAt_ = -1;  // the line width the document was broken at; 0: not broken
  // The font's width of a character, and per Latin-1 character how far its
  // ink reaches past that width (-1: another width, -2: not yet known), all
  // in 64ths of a pixel as the box's layout counts them.
  int advance_ = 0;
  std::array<int, 256> overhang_{};
};

}  // namespace zelk::app
