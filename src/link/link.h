#pragma once
// The programmer link: 9-byte HID reports to and from the KRV330, the command codes, the
// connection state and its display.
#include <cstdint>
#include <initializer_list>

#include "core/link_state.h"

namespace krv {

struct Session;

inline constexpr uint16_t kVendorId = 0x04D8;
// The programmer's product ID, fixed at build time; -1 when the build was not given one,
// in which case no USB device is ever opened.
int ProductId();

inline constexpr int kAnswerTimeoutMs = 500;

// Command codes whose arguments and answers are known (see link/commands.h for the table).
inline constexpr int kCmdEnterProgMode = 0x01;
inline constexpr int kCmdExitProgMode = 0x02;
inline constexpr int kCmdSix30 = 0x1D;
inline constexpr int kCmdRegOut30 = 0x1E;
inline constexpr int kCmdNop30 = 0x1F;
inline constexpr int kCmdReadCode30 = 0x20;
inline constexpr int kCmdWriteCode30 = 0x21;
inline constexpr int kCmdReadData30 = 0x22;
inline constexpr int kCmdWriteData30 = 0x23;
inline constexpr int kCmdStartNvm30 = 0x24;
inline constexpr int kCmdResetPC30 = 0x25;

// SendToKRV(b1, ..., b8): byte 0 = 0 (the report ID), byte k = bk And 255 (missing bytes
// are 0), written synchronously; more than eight bytes is a RuntimeError. Without a
// programmer nothing is sent. Outside an operation a failed write searches for the
// programmer again and retries once (a failure after that closes the link); inside an
// operation it is a link loss (see OperationScope). Returns true when the report was
// written.
bool SendToKRV(Session& s, std::initializer_list<int32_t> bytes);

// Reads the next answer report within 500 ms into InReport(1..8). Without a programmer it
// does nothing (inside an operation: a link loss). A time-out or a read error outside an
// operation shows Msg9, closes the link and marks the programmer absent; inside an
// operation it is a link loss. Returns true when an answer came; InReport keeps the last
// answer otherwise.
bool ReadReport(Session& s);

// Full search for the programmer (BuscaHID): keeps a handle that still works, opens one
// otherwise (a dead handle is closed first). Returns true when a programmer is present.
// While an operation holds the link no search is made: the state is returned as it is.
bool BuscaHID(Session& s);
bool Usb_HIDopen(Session& s, uint16_t vendorId, int productId);

// Connection display. KRVconnected clears a Msg1 status text. KRVdisconnected puts Msg1 on
// the status line and tells it in a box (style 48) when the absence has not been told
// yet: at start-up, or once the programmer that was present has gone; never again while
// it stays absent (an event of another device changes nothing).
void KRVconnected(Session& s);
void KRVdisconnected(Session& s);
// Shows the display that fits the present state.
void ShowConnectionState(Session& s);

// The Vpp picture; each yields to the event loop once.
void ShowVppOn(Session& s);
void ShowVppOff(Session& s);

// Closes the link and marks the programmer absent.
void CloseLink(Session& s);

// Held by an operation while it talks to the chip. On entry it drops answers an earlier
// aborted operation left behind (without sending anything). While it is held, the first
// link failure (no programmer, a failed write, a failed or timed-out read) closes the
// link, marks the programmer absent, sets OperationOK to false and LastErrorText to the
// Msg9 text, shows the Vpp picture off and the Msg9 box (style 16) once, and throws
// LinkLost; every later SendToKRV or ReadReport under the same scope throws LinkLost again
// without a box, so nothing more is sent or stored. A failed write is never retried here:
// a programmer found again has left programming mode. The search after a loss is left to
// AfterCommand (device_monitor.h). Scopes may nest; only the outermost one counts.
class OperationScope {
 public:
  explicit OperationScope(Session& s);
  ~OperationScope();
  OperationScope(const OperationScope&) = delete;
  OperationScope& operator=(const OperationScope&) = delete;

 private:
  Session& s_;
  bool outer_;  // an enclosing scope holds the link already
};

// Reads and drops every input report already waiting, without sending anything.
void DrainInput(Session& s);

// When the user asked to cancel: clears the request, progress 0, Msg8 on the status line,
// sends CmdExitProgMode and returns true. Otherwise returns false. The only place that
// clears CancelRequested (besides the start of a new command).
bool CheckCancel(Session& s);

}  // namespace krv
