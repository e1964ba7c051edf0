#pragma once
// The common design of the 12/14-bit configuration dialogs, run on a dialog's declaration:
// the configuration-word frame with the word's address and hexadecimal value, further
// words and frames, check boxes and option arrays that write their bits straight into
// their words, the user-ID box and the OscCal frames.
#include <array>
#include <cstdint>
#include <vector>

#include "editors/dialog_base.h"

class QButtonGroup;
class QHBoxLayout;
class QVBoxLayout;

namespace krv {

// The ID low bytes that a user-ID text stands for: character i + 1 gives UserID(2i) =
// 0xF0 plus its digit; a missing character or one that is not a hexadecimal digit gives 0x0F.
std::array<uint8_t, 4> UserIdLowBytes(QStringView text);

class WordDialog final : public DialogBase {
 public:
  WordDialog(const DialogDecl& decl, Session& s, QWidget* parent);

  // The common steps: the word labels, the OscCal frames, the user-ID box; then, for a
  // device the dialog serves, the device rules and every box and option array from its
  // bits, in the order of the declaration; last the checksum.
  void ShowConfig() override;

 private:
  // A frame's word labels on top; under them its single boxes in columns, then each
  // box array and each option array in a column of its own.
  struct Frame {
    QWidget* frame;
    QVBoxLayout* header;
    QHBoxLayout* singles;
    QHBoxLayout* others;
    QVBoxLayout* column = nullptr;  // the column that single boxes go into
    int inColumn = 0;
  };
  struct OptionBinding {
    QButtonGroup* group;
    size_t control;
  };
  struct WordBinding {
    WordLabel decl;
    QLabel* value;
    QLabel* address;
  };

  Frame& FrameNamed(const std::string& name);
  static QVBoxLayout* NewColumn(QHBoxLayout* row);
  void AddOptions(size_t index, const OptionsDecl& o);
  void AddUserIdFrame(QVBoxLayout* side);
  void AddOscCalFrames(QVBoxLayout* side);
  void ShowOscCal();
  void ShowUserID();
  void ShowWord(const WordBinding& w);
  // The click of option array `control` on its button `id`: writes the field into its word.
  // A user's click always writes, on the button already selected too, so that a field held
  // in several copies that differ becomes uniform.
  void Choose(size_t control, int id);
  // Selects the button whose Index is `index`, none when there is no such button; a change
  // of the selection runs the array's click, an unchanged one writes nothing.
  void Select(const OptionBinding& o, int index);
  void WordChanged(WordId word) override;

  std::vector<std::pair<std::string, Frame>> frames_;
  std::vector<OptionBinding> options_;
  std::vector<WordBinding> words_;
  QLabel* lblUserID_ = nullptr;
  QLineEdit* txtUserID_ = nullptr;
  QLabel* lblOscCal_ = nullptr;
  QLineEdit* txtOscCal_ = nullptr;
  QCheckBox* cheOscCal_ = nullptr;
  QLabel* lblBackOscCal_ = nullptr;
  QLineEdit* txtBackOscCal_ = nullptr;
  QCheckBox* cheBackOscCal_ = nullptr;
};

}  // namespace krv
