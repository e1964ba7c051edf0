#pragma once
// The vocabulary in which a configuration dialog is declared: its words, its check boxes,
// check-box arrays, option arrays and drop-down selectors with their bits, and its
// per-device rules. A dialog file is a table in these terms; the dialog classes of
// word_dialog.h (12/14-bit parts) and pic18_dialog.h (PIC18 parts) build the controls
// from it and run the shared ShowConfig and click rules on it.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/device.h"
#include "core/state.h"
#include "editors/bit_rules.h"

namespace krv {

struct Session;

// The words that the dialogs edit. Config1..Config7 are the PIC18 configuration words;
// Config1 is also the second configuration word of the 14-bit parts that have one.
enum class WordId {
  ConfigWord,
  Config1,
  Config2,
  Config3,
  Config4,
  Config5,
  Config6,
  Config7,
  CalibWord1,
  CalibWord2,
};
int32_t& WordOf(ConfigState& c, WordId w);
// Configuration word n (1..7).
constexpr WordId Config(int n) {
  return static_cast<WordId>(static_cast<int>(WordId::Config1) + n - 1);
}

// Where a control's bits lie in its word: fixed bits, or a mask parameter of the selected
// device read at the moment of use (`CPBit`, `OscBits` ...).
struct Bits {
  uint32_t fixed = 0;
  uint16_t DeviceRow::*param = nullptr;
  uint32_t Of(const DeviceRow& d) const { return param ? d.*param : fixed; }
};
constexpr Bits Fixed(uint32_t mask) {
  return {mask, nullptr};
}
constexpr Bits Param(uint16_t DeviceRow::*param) {
  return {0, param};
}

// One bit of a PIC18 configuration word: bit b of CONFIGnL or of CONFIGnH.
struct WordBit {
  WordId word;
  Bits bits;
};
constexpr WordBit L(int n, int b) {
  return {Config(n), Fixed(1u << b)};
}
constexpr WordBit H(int n, int b) {
  return {Config(n), Fixed(1u << (b + 8))};
}

inline constexpr Sense High = Sense::High;
inline constexpr Sense Low = Sense::Low;

// A check box of one word: ticked means the function of its caption is on.
struct BoxDecl {
  std::string name;     // "cheWDTE"
  std::string caption;  // "WDTE"
  WordId word = WordId::ConfigWord;
  Bits bits;
  Sense sense = High;
  std::string frame = "fraCfg";  // the frame it sits in (12/14-bit dialogs)

  BoxDecl In(WordId w) const {
    BoxDecl b = *this;
    b.word = w;
    return b;
  }
  BoxDecl At(std::string f) const {
    BoxDecl b = *this;
    b.frame = std::move(f);
    return b;
  }
};
// A box of ConfigWord (12/14-bit dialogs).
BoxDecl Box(std::string name, std::string caption, Bits bits, Sense sense);
// A box of a PIC18 word, captioned with its name without "che".
BoxDecl Box(std::string name, WordBit bit, Sense sense = High);
// A box that edits no word (cheUpdateCal): other subsystems only read it.
BoxDecl Plain(std::string name, std::string caption, std::string frame);

// The check boxes name(0)..name(count - 1): element i is bit first + i of `word`,
// captioned `caption` followed by i ("CP0", "FCAL6").
struct ArrayDecl {
  std::string name;
  std::string caption;
  WordId word;
  int first = 0;
  int count = 0;
  Sense sense = High;
  std::string frame = "fraCfg";
  ArrayDecl At(std::string f) const {
    ArrayDecl a = *this;
    a.frame = std::move(f);
    return a;
  }
};
ArrayDecl BoxArray(std::string name, std::string caption, WordId word, int first, int count,
                   Sense sense);

// The field of an option array. By default Index = (W And mask) \ unit and a click writes
// W = (W And Not mask) Or Index x unit; a field that is not of this form gives its own
// read and write.
struct Field {
  Bits mask;
  uint32_t unit = 1;
  int (*read)(uint32_t w) = nullptr;
  uint32_t (*write)(uint32_t w, int index) = nullptr;

  int Read(const DeviceRow& d, uint32_t w) const;
  uint32_t Write(const DeviceRow& d, uint32_t w, int index) const;
};

// A field spread over bits that need not be adjacent: its Index bits, lowest first, lie in
// the bits of `mask`, lowest first (mask 0x13: Index bits 1..0 in bits 1..0, Index bit 2 in
// bit 4).
template <uint32_t mask>
constexpr Field Spread() {
  return {Fixed(mask), 1, [](uint32_t w) { return SpreadIndex(w, mask); },
          [](uint32_t w, int index) { return WordWithSpread(w, mask, index); }};
}

// An option-button array of a 12/14-bit dialog, in a container of its own (so that it is
// one exclusive group), button Index i captioned captions[i].
struct OptionsDecl {
  std::string name;       // "optOsc"
  std::string container;  // "Picture1"
  WordId word = WordId::ConfigWord;
  Field field;
  std::vector<std::string> captions;
  std::string titleName, title;         // a label above the buttons ("lblOsc")
  std::string groupName, groupCaption;  // a frame of its own round the buttons
  std::string frame = "fraCfg";
  void (*onClick)(Session& s, int index) = nullptr;  // a further effect of a click

  OptionsDecl In(WordId w) const {
    OptionsDecl o = *this;
    o.word = w;
    return o;
  }
  OptionsDecl Title(std::string name_, std::string text) const {
    OptionsDecl o = *this;
    o.titleName = std::move(name_);
    o.title = std::move(text);
    return o;
  }
  OptionsDecl Group(std::string name_, std::string caption) const {
    OptionsDecl o = *this;
    o.groupName = std::move(name_);
    o.groupCaption = std::move(caption);
    return o;
  }
  OptionsDecl OnClick(void (*f)(Session&, int)) const {
    OptionsDecl o = *this;
    o.onClick = f;
    return o;
  }
};
OptionsDecl Options(std::string name, std::string container, Field field,
                    std::vector<std::string> captions);

// A drop-down selector of a PIC18 dialog for the field (W >> shift) And mask of word
// `word`: the controls lbl<X>, lblVal<X>, img<X>, sha<X> and lst<X>.
struct SelectorDecl {
  std::string field;    // "Osc"
  std::string caption;  // "Oscillator"
  WordId word;
  int shift = 0;
  uint32_t mask = 0;
  std::vector<std::string> texts;  // by field value
  int listTwips = 1000;            // height of the open list
  int pickMask = -1;  // when >= 0: a pick is masked with ConfigMask(pickMask) afterwards
  // Texts that follow the configuration: chosen when ShowConfig fills the texts and again
  // after every pick of another selector (the list is then filled anew).
  std::vector<std::string> (*textsFrom)(const Session& s) = nullptr;

  SelectorDecl MaskedBy(int configMask) const {
    SelectorDecl d = *this;
    d.pickMask = configMask;
    return d;
  }
  SelectorDecl TextsFrom(std::vector<std::string> (*f)(const Session&)) const {
    SelectorDecl d = *this;
    d.textsFrom = f;
    return d;
  }
};
SelectorDecl Selector(std::string field, std::string caption, WordId word, int shift, uint32_t mask,
                      std::vector<std::string> texts, int listTwips);

using ControlDecl = std::variant<BoxDecl, ArrayDecl, OptionsDecl, SelectorDecl>;
// The controls of `first`, then those of `then`.
std::vector<ControlDecl> Controls(std::vector<ControlDecl> first,
                                  const std::vector<ControlDecl>& then);

// The devices a rule is for: device keys (the name from its sixth character), whole
// device names, or a test of the device's parameters; `Not` turns it round.
struct Match {
  std::vector<std::string> keys, names;
  bool (*test)(const DeviceParams&) = nullptr;
  bool negate = false;
  bool Matches(const DeviceParams& d) const;
};
Match Keys(std::initializer_list<const char*> keys);
Match Names(std::initializer_list<const char*> names);
Match Where(bool (*test)(const DeviceParams&));
Match Not(Match m);
Match AnyDevice();

// What a rule changes, for the devices it matches, after ShowConfig has returned every
// control to its design state: nothing carries over from the device shown before.
struct Rule {
  Match match;
  std::vector<std::string> hidden, disabled;
  std::vector<std::pair<std::string, std::string>> captions;  // {control, caption}
  struct BitsChange {
    std::string control;
    Bits bits;
    Sense sense;
  };
  std::vector<BitsChange> bits;
  std::vector<std::pair<std::string, Field>> fields;                    // option arrays
  std::vector<std::pair<std::string, std::vector<std::string>>> texts;  // selectors
  std::vector<std::pair<std::string, int>> listTwips;                   // selectors
  std::vector<std::string> closed;  // selectors that cannot be opened

  Rule Hide(std::initializer_list<const char*> names) const;
  Rule Hide(const std::vector<std::string>& names) const;
  Rule Disable(std::initializer_list<const char*> names) const;
  Rule Caption(std::string control, std::string caption) const;
  // Captions of the elements 0, 1 ... of an option array.
  Rule Captions(const std::string& array, std::initializer_list<const char*> captions) const;
  Rule SetBits(std::string control, Bits bits, Sense sense) const;
  Rule SetField(std::string options, Field field) const;
  Rule Texts(std::string selector, std::vector<std::string> texts) const;
  Rule ListTwips(std::string selector, int twips) const;
  Rule Closed(std::string selector) const;
};
Rule On(Match match);

// A word's hexadecimal label, with the label of its address: computed from a device
// address (`ConfigAddress` ...) as "0x" & Dec2Hex(address, 4) & ":", or a fixed caption.
struct WordLabel {
  WordId word;
  std::string label;         // "lblConfig1"
  std::string addressLabel;  // "lblCfg1Address"
  int32_t DeviceRow::*address = nullptr;
  std::string addressCaption;  // when there is no device address
  std::string frame = "fraCfg";
  bool checksum = true;  // a change of the word refreshes the device checksum
};

// A frame of a 12/14-bit dialog.
struct FrameDecl {
  std::string name;
  std::string caption;
};

enum class OscCalFrames { None, OscCal, WithBackup };
enum class DialogFont { Fixed, Sans };

// A whole dialog.
struct DialogDecl {
  DialogId id;
  std::vector<ControlDecl> controls;  // in the order ShowConfig fills them
  std::vector<Rule> rules;            // applied in order; several may match
  // The devices whose words the dialog knows. For any other device ShowConfig of a
  // 12/14-bit dialog stops after the user-ID box.
  Match serves = AnyDevice();
  // 12/14-bit dialogs.
  std::vector<FrameDecl> frames = {{"fraCfg", "Config. Word On/Off"}};
  std::vector<WordLabel> words;  // besides ConfigWord (lblCfgAddress, lblConfig)
  OscCalFrames oscCal = OscCalFrames::None;
  // PIC18 dialogs: the font of the selectors' value labels and lists, and of the boxes.
  DialogFont selectorFont = DialogFont::Fixed;
  DialogFont boxFont = DialogFont::Fixed;
};

}  // namespace krv
