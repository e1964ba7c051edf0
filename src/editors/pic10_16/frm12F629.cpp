// frm12F629: the configuration word, user IDs and OscCal word of the PIC12F629/675 and
// PIC16F630/676, with the BandGap calibration bits 13:12 of the configuration word. The
// bits of the boxes and of the oscillator come from the device's masks.
#include "core/session.h"
#include "editors/declaration.h"

namespace krv {
namespace {

// The BandGap choice follows the option selected, by a click or by a fill that moves the
// selection; the BandGap-preserving erase compares the chip's bits with it.
void KeepBandGap(Session& s, int index) {
  s.cfg.BandGapValue = index;
}

}  // namespace

extern const DialogDecl frm12F629Decl = {
    .id = DialogId::frm12F629,
    .controls =
        {
            Box("cheWDTE", "WDTE", Param(&DeviceRow::WDTEBit), High),
            Box("chePWRTE", "PWRTE", Param(&DeviceRow::PWRTEBit), Low),
            Box("cheMCLRE", "MCLRE", Param(&DeviceRow::MCLREBit), High),
            Box("cheBODEN", "BODEN", Param(&DeviceRow::BODENBit), High),
            Box("cheCPD", "CPD", Param(&DeviceRow::CPDBit), Low),
            Box("cheCP", "CP", Param(&DeviceRow::CPBit), Low),
            Options(
                "optOsc", "Picture1", {Param(&DeviceRow::OscBits)},
                {"LP", "XT", "HS", "EC I/O", "IntOsc I/O", "IntOsc ClkOut", "RC I/O", "RC ClkOut"})
                .Title("lblOsc", "_____ Osc _____"),
            Options("optBGBits", "Picture2", {Fixed(0x3000), 0x1000},
                    {"Lowest  :00b", "Mid Low :01b", "Mid High:10b", "Highest :11b"})
                .Group("fraBandgap", "")
                .Title("Label4", "___ Bandgap ___")
                .OnClick(KeepBandGap),
        },
    .oscCal = OscCalFrames::OscCal,
};

}  // namespace krv
