// frm30F: the seven configuration registers of every dsPIC30 part, as four-digit
// hexadecimal boxes under their chip addresses. An edit keeps only the bits that the
// selected device implements.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/hex_text.h"
#include "core/session.h"
#include "devices/catalogue.h"
#include "editors/dialog_base.h"

namespace krv {
namespace {

constexpr int kRegisters = 7;
constexpr const char* kAddresses[kRegisters] = {"0xF80000", "0xF80002", "0xF80004", "0xF80006",
                                                "0xF80008", "0xF8000A", "0xF8000C"};

class Frm30F final : public DialogBase {
 public:
  Frm30F(const DialogDecl& decl, Session& s, QWidget* parent) : DialogBase(decl.id, s, parent) {
    setFont(FixedFont());
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    outer->addStretch(1);
    grid->addWidget(NewLabel(this, QStringLiteral("Label9"), QStringLiteral("Configs")), 0, 1);
    for (int i = 0; i < kRegisters; ++i) {
      grid->addWidget(NewLabel(this, QStringLiteral("lblConfig") + QString::number(i + 1),
                               QString::fromLatin1(kAddresses[i])),
                      i + 1, 0);
      boxes_[i] =
          NewHexBox(this, ArrayName(QStringLiteral("txtConfig"), i), QStringLiteral("FFFF"));
      grid->addWidget(boxes_[i], i + 1, 1);
      connect(boxes_[i], &QLineEdit::textChanged, this, [this, i] { ConfigChanged(i); });
    }
    grid->setColumnStretch(2, 1);
  }

  void ShowConfig() override {
    SetConfigsDefaults(s_);
    for (int i = 0; i < kRegisters; ++i) {
      boxes_[i]->setText(Hex(static_cast<uint32_t>(s_.cfg.Config[i + 1]), 4));
      boxes_[i]->setEnabled(true);
    }
    RefreshCSum();
  }

 private:
  // The register keeps the implemented bits of what the box holds; a complete entry of four
  // digits shows at once what was kept. The checksum follows every edit.
  void ConfigChanged(int i) {
    QLineEdit* box = boxes_[i];
    const uint32_t kept = ReadHexPrefix(box->text().toStdString()).value &
                          static_cast<uint32_t>(s_.cfg.ConfigMask[i]);
    s_.cfg.Config[i + 1] = static_cast<int32_t>(kept);
    if (box->text().size() == 4) box->setText(Hex(kept, 4));
    RefreshCSum();
  }

  void WordChanged(WordId) override {}

  QLineEdit* boxes_[kRegisters] = {};
};

}  // namespace

// The registers need no declaration beyond the dialog's id.
extern const DialogDecl frm30FDecl = {.id = DialogId::frm30F};

DialogBase* MakeFrm30F(const DialogDecl& decl, Session& s, QWidget* parent) {
  return new Frm30F(decl, s, parent);
}

}  // namespace krv
