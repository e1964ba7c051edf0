// frm12F635: the configuration word, the calibration word at 0x2008 and, where the part
// has one, the second calibration word at 0x2009, with the user IDs, of the PIC12F609/615/
// 635/683, PIC16F610/616/631/636/639/677/684..690/785 and PIC16F913..946. Device tests on
// the device key.
#include "editors/declaration.h"

namespace krv {
namespace {

const Match kG1 = Keys({"F913", "F914", "F916", "F917", "F946"});
// Bit 7 is the internal oscillator's frequency select on these parts, which have no data
// protection: the fill and the click take the box's bit and sense from this one rule.
const Match kG2 = Keys({"F609", "HV609", "F610", "HV610", "F615", "HV615", "F616", "HV616"});
const Match kG3 =
    Keys({"F683", "F631", "F677", "F685", "F687", "F688", "F689", "F690", "F785", "HV785"});
const Match kG4 = Keys({"F684"});
const Match kOneCalibWord = Where([](const DeviceParams& d) { return d.Calib2Address == 0; });

}  // namespace

extern const DialogDecl frm12F635Decl = {
    .id = DialogId::frm12F635,
    .controls =
        {
            Box("cheIESO", "IESO", Fixed(0x0400), High),
            Box("cheFCMEN", "FCMEN", Fixed(0x0800), High),
            Box("cheWURE", "WURE", Fixed(0x1000), Low),
            Options(
                "optOsc", "Picture1", {Param(&DeviceRow::OscBits)},
                {"LP", "XT", "HS", "EC I/O", "IntOsc I/O", "IntOsc ClkOut", "RC I/O", "RC ClkOut"})
                .Title("lblOsc", "____ Osc ____"),
            Box("cheWDTE", "WDTE", Param(&DeviceRow::WDTEBit), High),
            Box("chePWRTE", "PWRTE", Param(&DeviceRow::PWRTEBit), Low),
            Box("cheMCLRE", "MCLRE", Param(&DeviceRow::MCLREBit), High),
            Box("cheCP", "CP", Param(&DeviceRow::CPBit), Low),
            Box("cheCPD", "CPD", Param(&DeviceRow::CPDBit), Low),
            Box("cheBOREN0", "BOREN0", Fixed(0x0100), High),
            Box("cheBOREN1", "BOREN1", Fixed(0x0200), High),
            BoxArray("cheBOR", "BOR", WordId::CalibWord1, 0, 3, High).At("Frame1"),
            BoxArray("chePOR", "POR", WordId::CalibWord1, 3, 3, High).At("Frame1"),
            BoxArray("cheFCAL", "FCAL", WordId::CalibWord1, 6, 7, High).At("Frame1"),
            BoxArray("cheLVD", "LVD", WordId::CalibWord2, 0, 3, High).At("Frame1"),
            BoxArray("cheWUR", "WUR", WordId::CalibWord2, 3, 3, High).At("Frame1"),
            Plain("cheUpdateCal", "Update calibration.", "Frame1"),
        },
    .rules =
        {
            On(kOneCalibWord)
                .Hide({"lblCal2Address", "lblCalib2", "cheLVD(0)", "cheLVD(1)", "cheLVD(2)",
                       "cheWUR(0)", "cheWUR(1)", "cheWUR(2)"}),
            On(kG1)
                .Caption("cheWURE", "DEBUG")
                .Hide({"chePOR(2)", "cheWUR(0)", "cheWUR(1)", "cheWUR(2)"}),
            On(kG2)
                .Caption("cheCPD", "IOSCFS")
                .SetBits("cheCPD", Fixed(0x0080), High)
                .Hide({"cheIESO", "cheFCMEN", "cheWURE", "cheBOR(0)", "cheBOR(1)", "cheBOR(2)",
                       "chePOR(0)", "chePOR(1)", "chePOR(2)"}),
            On(kG3).Hide({"cheWURE"}),
            On(kG4).Hide({"chePOR(2)"}),
        },
    .frames = {{"fraCfg", "Config. Word On/Off"}, {"Frame1", "Calib. Word/s On/Off"}},
    .words =
        {
            {WordId::CalibWord1, "lblCalib1", "lblCal1Address", nullptr, "0x2008:", "Frame1",
             false},
            {WordId::CalibWord2, "lblCalib2", "lblCal2Address", nullptr, "0x2009:", "Frame1",
             false},
        },
};

}  // namespace krv
