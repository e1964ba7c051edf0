#include "editors/dialog_base.h"

#include <set>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "buffers/buffers.h"
#include "core/errors.h"
#include "core/helpers.h"
#include "core/hex_text.h"
#include "core/session.h"
#include "widgets/hex_input.h"

namespace krv {

QString ArrayName(const QString& name, int index) {
  return name + '(' + QString::number(index) + ')';
}

QString ArrayName(const std::string& name, int index) {
  return ArrayName(Q(name), index);
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QString ControlObjectName(DialogControl control) {
  const std::string_view name = ControlName(control);
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

namespace {

// `family` at the size of the system font of `type`, or that system font itself where
// `family` is missing.
QFont NamedFont(const char* family, QFont::StyleHint hint, QFontDatabase::SystemFont type) {
  const QFont system = QFontDatabase::systemFont(type);
  QFont f(QString::fromLatin1(family));
  f.setStyleHint(hint);
  if (system.pointSizeF() > 0)
    f.setPointSizeF(system.pointSizeF());
  else
    f.setPixelSize(system.pixelSize());
  return f.exactMatch() ? f : system;
}

QString CaptionOf(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  return QString();
}

void SetCaption(QWidget* w, const QString& caption) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(caption);
  if (auto* l = qobject_cast<QLabel*>(w)) l->setText(caption);
  if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(caption);
}

// The control an entry of a rule is for.
const std::string& ControlOf(const std::string& control) {
  return control;
}
const std::string& ControlOf(const Rule::BitsChange& c) {
  return c.control;
}
template <class T>
const std::string& ControlOf(const std::pair<std::string, T>& entry) {
  return entry.first;
}

// The last entry for `control` in the list `list` of the rules that match the device; none
// when no such rule has one.
template <class Entry>
const Entry* LastEntry(const DialogDecl& decl, const DeviceParams& dev,
                       std::vector<Entry> Rule::*list, const std::string& control) {
  const Entry* last = nullptr;
  for (const Rule& r : decl.rules)
    if (r.match.Matches(dev))
      for (const Entry& e : r.*list)
        if (ControlOf(e) == control) last = &e;
  return last;
}

}  // namespace

QFont FixedFont() {
  // At the size of the system's fixed-pitch font, as the hexadecimal views beside the dialog
  // use it (a font made from a family name alone would take a size of its own).
  return NamedFont("Courier New", QFont::Monospace, QFontDatabase::FixedFont);
}

QFont SansFont() {
  return NamedFont("Arial", QFont::SansSerif, QFontDatabase::GeneralFont);
}

DialogBase::DialogBase(DialogId id, Session& s, QWidget* parent, const DialogDecl* decl)
    : QWidget(parent), s_(s), decl_(decl), id_(id) {
  const std::string_view name = DialogName(id);
  setObjectName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  if (parent) setGeometry(parent->rect());
}

std::optional<int> DialogBase::Value(DialogControl control) const {
  const auto* box = findChild<QCheckBox*>(ControlObjectName(control));
  if (!box) return std::nullopt;
  return box->isChecked() ? 1 : 0;
}

bool DialogBase::SetValue(DialogControl control, int value) {
  auto* box = findChild<QCheckBox*>(ControlObjectName(control));
  if (!box) return false;
  box->setChecked(value != 0);
  return true;
}

std::optional<std::string> DialogBase::ControlText(DialogControl control) const {
  const auto* box = findChild<QLineEdit*>(ControlObjectName(control));
  if (!box) return std::nullopt;
  return box->text().toStdString();
}

std::optional<uint16_t> DialogBase::HexWord(DialogControl control) const {
  const std::optional<std::string> text = ControlText(control);
  if (!text || text->size() != 4) return std::nullopt;
  const std::optional<uint32_t> v = ParseHex(*text);
  if (!v) return std::nullopt;
  return static_cast<uint16_t>(*v);
}

QString DialogBase::Hex(uint32_t value, int digits) const {
  return QString::fromStdString(Dec2Hex(s_, value, digits));
}

void DialogBase::RefreshCSum() {
  try {
    CalcDeviceCSum(s_);
  } catch (const RuntimeError& e) {
    ShowError(s_, "CalcDeviceCSum", e.what());
  }
}

QCheckBox* DialogBase::NewCheck(QWidget* parent, const QString& name, const QString& caption) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

QLabel* DialogBase::NewLabel(QWidget* parent, const QString& name, const QString& caption,
                             bool fixedPitch) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  if (fixedPitch) label->setFont(FixedFont());
  return label;
}

QLineEdit* DialogBase::NewHexBox(QWidget* parent, const QString& name, const QString& text) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(name);
  box->setMaxLength(4);
  box->setFont(FixedFont());
  box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("WWWWW")) + 12);
  InstallHexKeyFilter(box);
  return box;
}

QGroupBox* DialogBase::NewFrame(QWidget* parent, const QString& name, const QString& caption) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  return frame;
}

std::vector<QCheckBox*> DialogBase::MakeBoxes(size_t index, QWidget* parent) {
  std::vector<QCheckBox*> made;
  const auto bind = [&](const QString& name, const QString& caption, WordId word, Bits bits,
                        Sense sense) {
    QCheckBox* box = NewCheck(parent, name, caption);
    boxes_.push_back({box, index, word, bits, sense});
    made.push_back(box);
    connect(box, &QCheckBox::toggled, this, [this, box, word, bits, sense](bool ticked) {
      const BoxBits wiring = WiringOf(box->objectName(), bits, sense);
      const uint32_t m = wiring.bits.Of(s_.dev);
      if (m == 0) {  // a box of a function the device lacks writes nothing
        RefreshCSum();
        return;
      }
      int32_t& w = WordOf(s_.cfg, word);
      w = WordWithBox(w, m, wiring.sense, ticked);
      WordChanged(word);
    });
  };
  const ControlDecl& c = decl_->controls[index];
  if (const auto* b = std::get_if<BoxDecl>(&c)) {
    bind(Q(b->name), Q(b->caption), b->word, b->bits, b->sense);
  } else if (const auto* a = std::get_if<ArrayDecl>(&c)) {
    for (int i = 0; i < a->count; ++i)
      bind(ArrayName(a->name, i), Q(a->caption) + QString::number(i), a->word,
           Fixed(1u << (a->first + i)), a->sense);
  }
  return made;
}

void DialogBase::FillBoxes(size_t index) {
  for (const BoxBinding& b : boxes_) {
    if (b.control != index) continue;
    const BoxBits wiring = WiringOf(b.box->objectName(), b.bits, b.sense);
    const uint32_t m = wiring.bits.Of(s_.dev);
    if (m == 0) continue;
    b.box->setChecked(BoxTicked(static_cast<uint32_t>(WordOf(s_.cfg, b.word)), m, wiring.sense));
  }
}

DialogBase::BoxBits DialogBase::WiringOf(const QString& name, Bits bits, Sense sense) const {
  const auto* c = LastEntry(*decl_, s_.dev, &Rule::bits, name.toStdString());
  return c ? BoxBits{c->bits, c->sense} : BoxBits{bits, sense};
}

Field DialogBase::FieldOf(const OptionsDecl& o) const {
  const auto* e = LastEntry(*decl_, s_.dev, &Rule::fields, o.name);
  return e ? e->second : o.field;
}

const std::vector<std::string>& DialogBase::TextsOf(const SelectorDecl& d) const {
  const auto* e = LastEntry(*decl_, s_.dev, &Rule::texts, d.field);
  return e ? e->second : d.texts;
}

int DialogBase::ListTwipsOf(const SelectorDecl& d) const {
  const auto* e = LastEntry(*decl_, s_.dev, &Rule::listTwips, d.field);
  return e ? e->second : d.listTwips;
}

// Closed by any rule that matches.
bool DialogBase::OpenableOf(const SelectorDecl& d) const {
  return !LastEntry(*decl_, s_.dev, &Rule::closed, d.field);
}

void DialogBase::RememberDesign() {
  std::set<std::string> touched, captioned;
  for (const Rule& r : decl_->rules) {
    touched.insert(r.hidden.begin(), r.hidden.end());
    touched.insert(r.disabled.begin(), r.disabled.end());
    for (const auto& c : r.captions) {
      touched.insert(c.first);
      captioned.insert(c.first);
    }
  }
  // Only a caption that a rule sets is restored: a label that is merely hidden (a word's
  // value or address) has been filled already and keeps its text.
  for (const std::string& name : touched) {
    auto* w = findChild<QWidget*>(Q(name));
    if (!w) continue;
    design_.push_back({w, captioned.count(name) ? std::optional(CaptionOf(w)) : std::nullopt});
  }
  designKnown_ = true;
}

void DialogBase::ApplyRules() {
  if (!designKnown_) RememberDesign();
  for (const Design& d : design_) {
    d.widget->setVisible(true);
    d.widget->setEnabled(true);
    if (d.caption) SetCaption(d.widget, *d.caption);
  }
  for (const Rule& r : decl_->rules) {
    if (!r.match.Matches(s_.dev)) continue;
    for (const std::string& name : r.hidden)
      if (auto* w = findChild<QWidget*>(Q(name))) w->setVisible(false);
    for (const std::string& name : r.disabled)
      if (auto* w = findChild<QWidget*>(Q(name))) w->setEnabled(false);
    for (const auto& [name, caption] : r.captions)
      if (auto* w = findChild<QWidget*>(Q(name))) SetCaption(w, Q(caption));
  }
}

}  // namespace krv
