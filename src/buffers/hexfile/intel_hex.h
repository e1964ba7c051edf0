#pragma once
// Intel HEX records. Read: data (00), end of file (01), extended segment address (02),
// extended linear address (04); the start-address records (03, 05) carry nothing for a
// PIC and are passed over. Lines end in LF, CRLF or CR alone; digits of either case are
// read; blank lines are passed over, also after the end record, but no record may follow
// it.
// Written: 16 data bytes per record at most, never across a 64 KB page, an extended
// linear address record (04) before the first record of each page, upper-case digits,
// CRLF, and the end record.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace krv::hex {

enum class RecordError {
  None,
  Syntax,       // not ':' followed by an even number (at least 10) of hexadecimal digits
  ByteCount,    // the byte count does not match the record's length or type
  Checksum,     // the record's bytes do not sum to 0
  UnknownType,  // a record type other than 00..05
  Conflict,     // the sink refused the record's data
  AfterEnd,     // a line that is not blank after the end record
  NoEndRecord,  // the text ends without an end record
};

struct ReadResult {
  RecordError error = RecordError::None;
  int line = 0;  // 1-based line of the error; for NoEndRecord the number of lines read
};

// Called for each data record: its full address and bytes. False refuses the data (an
// earlier record gave one of its bytes another value).
using DataSink = std::function<bool(uint32_t address, const uint8_t* data, int count)>;

// Reads the records. Stops at the first error; the sink has then already seen the records
// before it.
ReadResult ReadIntelHex(std::string_view text, const DataSink& sink);

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}
  // Data records for `count` bytes from `address`.
  void Data(uint32_t address, const uint8_t* data, size_t count);
  // The end record.
  void End();

 private:
  void Record(uint8_t type, uint16_t offset, const uint8_t* data, int count);
  std::string& out_;
  int64_t page_ = -1;  // upper 16 address bits of the last 04 record
};

}  // namespace krv::hex
