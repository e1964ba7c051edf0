// frm16F627A: the configuration word of the PIC16F627, 627A, 628, 628A, 648A, 818 and 819,
// and both words of the PIC16F87 and 88. Fixed bits; device tests on the whole device name.
// The protection group is code protection in two pairs on the PIC16F627/628 and write
// protection in bits 10:9 on the others.
#include "editors/declaration.h"

namespace krv {
namespace {

const Match kF627F628 = Names({"PIC16F627", "PIC16F628"});

// Code protection of the PIC16F627/628: the same value in bits 13:12 and 11:10. The pair in
// bits 13:12 is shown; a choice writes both, so a word whose pairs differ stays so only
// until the user clicks a button or a fill moves the selection.
const Field kBothPairs = {Fixed(0x3C00), 0x1400,
                          [](uint32_t w) { return static_cast<int>((w >> 12) & 3); }};

}  // namespace

extern const DialogDecl frm16F627ADecl = {
    .id = DialogId::frm16F627A,
    .controls =
        {
            Box("cheWDTE", "WDTE", Fixed(0x0004), High),
            Box("chePWRTE", "PWRTE", Fixed(0x0008), Low),
            Box("cheMCLRE", "MCLRE", Fixed(0x0020), High),
            Box("cheBOREN", "BOREN", Fixed(0x0040), High),
            Box("cheLVP", "LVP", Fixed(0x0080), High),
            Box("cheCPD", "CPD", Fixed(0x0100), Low),
            Box("cheDEBUG", "DEBUG", Fixed(0x0800), Low),
            Box("cheCCPMX", "CCPMX", Fixed(0x1000), High),
            Box("cheCP", "CP", Fixed(0x2000), Low),
            // Index bit 2 is bit 4 of the word, Index bits 1..0 are bits 1..0.
            Options(
                "optOsc", "Picture1", Spread<0x13>(),
                {"LP", "XT", "HS", "EC I/O", "IntOsc I/O", "IntOsc ClkOut", "RC I/O", "RC ClkOut"})
                .Title("lblOsc", "_____ Osc _____"),
            Options("optWRT", "Picture2", {Fixed(0x0600), 0x200},
                    {"0x0000:0x05FF", "0x0000:0x03FF", "0x0000:0x01FF", "OFF"})
                .Title("lblWRT", " _____ WRT _____")
                .Group("fraWRT", ""),
            Box("cheFCMEN", "FCMEN", Fixed(0x0001), High).In(WordId::Config1),
            Box("cheIESO", "IESO", Fixed(0x0002), High).In(WordId::Config1),
        },
    .rules =
        {
            On(kF627F628)
                .SetField("optWRT", kBothPairs)
                .Caption("lblWRT", "_____ CP _____")
                .Hide({"cheCP", "cheDEBUG", "cheCCPMX"}),
            On(Names({"PIC16F627"}))
                .Captions("optWRT", {"0x0000:0x03FF", "0x0200:0x03FF", "Off", "Off"}),
            On(Names({"PIC16F628"}))
                .Captions("optWRT", {"0x0000:0x07FF", "0x0200:0x07FF", "0x0400:0x07FF", "Off"}),
            On(Names({"PIC16F627A", "PIC16F628A", "PIC16F648A"}))
                .Hide({"fraWRT", "cheDEBUG", "cheCCPMX"}),
            On(Names({"PIC16F818"})).Hide({"optWRT(0)"}),
            // The second configuration word is the PIC16F87/88's alone.
            On(Names({"PIC16F627", "PIC16F628", "PIC16F627A", "PIC16F628A", "PIC16F648A",
                      "PIC16F818", "PIC16F819"}))
                .Hide({"lblConfig1", "lblCfg1Address", "cheFCMEN", "cheIESO"}),
            On(Names({"PIC16F87", "PIC16F88"}))
                .Captions("optWRT", {"0x0000:0x0FFF", "0x0000:0x07FF", "0x0000:0x00FF"}),
        },
    .frames = {{"fraCfg", "Config. Word/s On/Off"}},
    .words = {{WordId::Config1, "lblConfig1", "lblCfg1Address", &DeviceRow::Config1Address}},
};

}  // namespace krv
