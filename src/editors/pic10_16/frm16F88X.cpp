// frm16F88X: the two configuration words (0x2007 and 0x2008), the calibration word at
// 0x2009 and the user IDs of the PIC16F882/883/884/886/887. Every bit at a fixed place.
// The address labels keep their names: lblCal1Address labels the second configuration
// word, lblCal2Address the calibration word.
#include "editors/declaration.h"

namespace krv {

extern const DialogDecl frm16F88XDecl = {
    .id = DialogId::frm16F88X,
    .controls =
        {
            Options(
                "optOsc", "Picture1", {Fixed(0x0007)},
                {"LP", "XT", "HS", "EC I/O", "IntOsc I/O", "IntOsc ClkOut", "RC I/O", "RC ClkOut"})
                .Title("lblOsc", "____ Osc ____"),
            Box("cheWDTE", "WDTE", Fixed(0x0008), High),
            Box("chePWRTE", "PWRTE", Fixed(0x0010), Low),
            Box("cheMCLRE", "MCLRE", Fixed(0x0020), High),
            Box("cheCP", "CP", Fixed(0x0040), Low),
            Box("cheCPD", "CPD", Fixed(0x0080), Low),
            Box("cheBOREN0", "BOREN0", Fixed(0x0100), High),
            Box("cheBOREN1", "BOREN1", Fixed(0x0200), High),
            Box("cheIESO", "IESO", Fixed(0x0400), High),
            Box("cheFCMEN", "FCMEN", Fixed(0x0800), High),
            Box("cheLVP", "LVP", Fixed(0x1000), High),
            Box("cheDEBUG", "DEBUG", Fixed(0x2000), Low),
            Options("optBOR4V", "Picture3", {Fixed(0x0100), 0x0100}, {"2.1 V", "4.0 V"})
                .In(WordId::Config1)
                .Group("Frame2", "BOR4V"),
            // The protected range of each choice, here of the 2K-word parts.
            Options("optWRT", "Picture4", {Fixed(0x0600), 0x0200},
                    {"0x0000:0x07FF", "0x0000:0x03FF", "0x0000:0x00FF", "OFF"})
                .In(WordId::Config1)
                .Group("Frame3", "WRT"),
            BoxArray("cheBOR", "BOR", WordId::CalibWord1, 0, 3, High).At("Frame1"),
            BoxArray("chePOR", "POR", WordId::CalibWord1, 3, 3, High).At("Frame1"),
            BoxArray("cheFCAL", "FCAL", WordId::CalibWord1, 6, 7, High).At("Frame1"),
            Plain("cheUpdateCal", "Update calib.", "Frame1"),
        },
    .rules =
        {
            On(Keys({"F886", "F887"})).Captions("optWRT", {"0x0000:0x0FFF", "0x0000:0x07FF"}),
        },
    .frames = {{"fraCfg", "Config. Word On/Off"}, {"Frame1", "Calib. Word On/Off"}},
    .words =
        {
            {WordId::Config1, "lblConfig1", "lblCal1Address", nullptr, "0x2008:", "fraCfg", true},
            {WordId::CalibWord1, "lblCalib1", "lblCal2Address", nullptr, "0x2009:", "Frame1",
             false},
        },
};

}  // namespace krv
