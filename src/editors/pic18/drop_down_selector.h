#pragma once
// The drop-down selector of the PIC18 dialogs, made of five controls of the dialog: the
// caption label lbl<X>, the value label lblVal<X> and the arrow image img<X> inside the
// frame sha<X>, and the list lst<X>, hidden while the selector is closed. The open list
// hangs directly under the frame, as wide as the frame; the other controls stay usable
// while it is open. The arrow or the value label opens and closes it; a pick in the list
// closes it.
#include <functional>
#include <vector>

#include <QFont>
#include <QObject>
#include <QPixmap>
#include <QString>

class QFrame;
class QLabel;
class QListWidget;
class QWidget;

namespace krv {

class DropDownSelector final : public QObject {
 public:
  // `field` names the controls ("Osc": lblOsc, lblValOsc, imgOsc, shaOsc, lstOsc); they
  // are made as children of `dialog`, which places the caption label and the frame.
  DropDownSelector(QWidget* dialog, const QString& field, const QString& caption,
                   const QPixmap& down, const QPixmap& up);

  QLabel* CaptionLabel() const { return caption_; }
  QFrame* Shape() const { return shape_; }
  QLabel* ValueLabel() const { return value_; }
  QLabel* Arrow() const { return arrow_; }
  QListWidget* List() const { return list_; }

  // The option texts, by field value; entries may repeat a text.
  void SetTexts(std::vector<QString> texts);
  const std::vector<QString>& Texts() const { return texts_; }
  // The height of the open list, in twips.
  void SetListHeightTwips(int twips) { listHeightTwips_ = twips; }
  // The height of the open list, in pixels.
  int ListHeight() const;
  // The font of the value label and the list.
  void SetValueFont(const QFont& font);
  // Empties the list, adds the texts in order and places the list under the frame. Nothing
  // is picked by this.
  void FillList();
  // Shows field value `value`: its text in the value label, its entry selected in the list.
  // When the selection changes, the pick runs as if the user had picked the entry.
  void ShowValue(int value);

  // The arrow's and the value label's click: opens or closes the list.
  void Toggle();
  bool IsOpen() const;
  // Whether the selector can be opened: arrow shown, value label enabled. An open list is
  // closed when the selector can no longer be opened.
  void SetOpenable(bool openable);

  // Runs after a pick has closed the list, with the index picked: the dialog writes the
  // field and refreshes its labels.
  std::function<void(int)> onPick;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Picked(int index);
  void Close();
  void PlaceList();

  QWidget* dialog_;
  QLabel* caption_;
  QFrame* shape_;
  QLabel* value_;
  QLabel* arrow_;
  QListWidget* list_;
  QPixmap down_, up_;
  std::vector<QString> texts_;
  int listHeightTwips_ = 1000;
  bool filling_ = false;
};

}  // namespace krv
