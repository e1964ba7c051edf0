// The registration table: one row per configuration dialog.
#include "editors/dialog_factory.h"

#include <iterator>

#include "editors/dialog_base.h"
#include "editors/pic10_16/word_dialog.h"
#include "editors/pic18/pic18_dialog.h"

namespace krv {

extern const DialogDecl kFrm10F20X;
extern const DialogDecl kFrm10F22X;
extern const DialogDecl kFrm12F50X;
extern const DialogDecl kFrm12F510;
extern const DialogDecl kFrm12F629;
extern const DialogDecl kFrm12F635;
extern const DialogDecl kFrm16C745;
extern const DialogDecl kFrm16F54;
extern const DialogDecl kFrm16f505;
extern const DialogDecl kFrm16F627A;
extern const DialogDecl kFrm16F7X7;
extern const DialogDecl kFrm16F876;
extern const DialogDecl kFrm16F88X;
extern const DialogDecl kFrm18FXX2;
extern const DialogDecl kFrm18F2450;
extern const DialogDecl kFrm18FXX31;
extern const DialogDecl kFrm18F6X9X;
extern const DialogDecl kFrm18F2221;
extern const DialogDecl kFrm18F1X30;
extern const DialogDecl kFrm18FX220;
DialogBase* MakeFrm30F(Session& s, QWidget* parent);

namespace {

enum class Kind { Word, Pic18, Frm30F };
struct Registration {
  DialogId id;
  Kind kind;
  const DialogDecl* decl;
};
// clang-format off
constexpr Registration kDialogs[] = {
    {DialogId::frm10F20X, Kind::Word, &kFrm10F20X},
    {DialogId::frm10F22X, Kind::Word, &kFrm10F22X},
    {DialogId::frm12F50X, Kind::Word, &kFrm12F50X},
    {DialogId::frm12F510, Kind::Word, &kFrm12F510},
    {DialogId::frm12F629, Kind::Word, &kFrm12F629},
    {DialogId::frm12F635, Kind::Word, &kFrm12F635},
    {DialogId::frm16C745, Kind::Word, &kFrm16C745},
    {DialogId::frm16F54, Kind::Word, &kFrm16F54},
    {DialogId::frm16f505, Kind::Word, &kFrm16f505},
    {DialogId::frm16F627A, Kind::Word, &kFrm16F627A},
    {DialogId::frm16F7X7, Kind::Word, &kFrm16F7X7},
    {DialogId::frm16F876, Kind::Word, &kFrm16F876},
    {DialogId::frm16F88X, Kind::Word, &kFrm16F88X},
    {DialogId::frm18FXX2, Kind::Pic18, &kFrm18FXX2},
    {DialogId::frm18F2450, Kind::Pic18, &kFrm18F2450},
    {DialogId::frm18FXX31, Kind::Pic18, &kFrm18FXX31},
    {DialogId::frm18F6X9X, Kind::Pic18, &kFrm18F6X9X},
    {DialogId::frm18F2221, Kind::Pic18, &kFrm18F2221},
    {DialogId::frm18F1X30, Kind::Pic18, &kFrm18F1X30},
    {DialogId::frm18FX220, Kind::Pic18, &kFrm18FX220},
    {DialogId::frm30F, Kind::Frm30F, nullptr},
};
// clang-format on

// Every dialog has its row, in the order of the dialog names, so that a dialog is found
// by its id.
constexpr bool InIdOrder() {
  for (size_t i = 0; i < std::size(kDialogs); ++i)
    if (kDialogs[i].id != static_cast<DialogId>(i)) return false;
  return std::size(kDialogs) == kDialogCount;
}
static_assert(InIdOrder(), "one registration row per dialog, in DialogId order");

}  // namespace

ConfigDialogHandle CreateConfigDialog(DialogId id, Session& s, QWidget* parent) {
  const Registration& r = kDialogs[static_cast<size_t>(id)];
  DialogBase* d = nullptr;
  switch (r.kind) {
    case Kind::Word:
      d = new WordDialog(*r.decl, s, parent);
      break;
    case Kind::Pic18:
      d = new Pic18Dialog(*r.decl, s, parent);
      break;
    case Kind::Frm30F:
      d = MakeFrm30F(s, parent);
      break;
  }
  return {d, d};
}

}  // namespace krv
