// The registration table, made from the list of dialogs: each dialog's declaration, in the
// dialog's own file, shown by the dialog of its kind.
#include "editors/dialog_factory.h"

#include <iterator>

#include "editors/dialog_base.h"
#include "editors/pic10_16/word_dialog.h"
#include "editors/pic18/pic18_dialog.h"

namespace krv {

#define KRV_DIALOG_DECL(name, kind) extern const DialogDecl name##Decl;
KRV_DIALOGS(KRV_DIALOG_DECL)
#undef KRV_DIALOG_DECL
DialogBase* MakeFrm30F(const DialogDecl& decl, Session& s, QWidget* parent);

namespace {

using Maker = DialogBase* (*)(const DialogDecl&, Session&, QWidget*);

template <class D>
DialogBase* Make(const DialogDecl& decl, Session& s, QWidget* parent) {
  return new D(decl, s, parent);
}

// What makes a dialog of each kind.
constexpr Maker Word = Make<WordDialog>, Pic18 = Make<Pic18Dialog>, Frm30F = MakeFrm30F;

struct Registration {
  Maker make;
  const DialogDecl* decl;
};
// Indexed by DialogId.
constexpr Registration kDialogs[] = {
#define KRV_DIALOG_ROW(name, kind) {kind, &name##Decl},
    KRV_DIALOGS(KRV_DIALOG_ROW)
#undef KRV_DIALOG_ROW
};
static_assert(std::size(kDialogs) == kDialogCount, "one registration row per dialog");

}  // namespace

ConfigDialogHandle CreateConfigDialog(DialogId id, Session& s, QWidget* parent) {
  const Registration& r = kDialogs[static_cast<size_t>(id)];
  DialogBase* d = r.make(*r.decl, s, parent);
  return {d, d};
}

}  // namespace krv
