// The configuration dialogs' own cases, one per line of the case files in
// tests/data/dialogs/. A line is three parts separated by "|":
//   device and starting state | actions | expected state
// The dialog of the device is made anew, the starting state set (ConfigWord=3FFF,
// Config1..Config7, CalibWord1, CalibWord2, OscCal=HHLL, LastWord=HHLL, UserID=b0,b1,...,
// BandGapValue=n) and ShowConfig run; the checksum display is then cleared. Actions:
//   click NAME            a user's click on a check box, an option button ("optOsc(2)") or
//                         any other control (an arrow, a value label)
//   pick FIELD ROW        opens selector FIELD with its arrow and picks entry ROW
//   open FIELD            a click on the arrow of selector FIELD
//   type NAME KEYS        keys typed into a text box; retype replaces the text first
//   paste NAME TEXT       TEXT pasted over the whole text of a text box
//   set WORD=HEX          a word changed behind the dialog's back
//   show                  ShowConfig again
//   device NAME           another device selected (the dialog stays when it serves it
//                         too; the words are blank again) and ShowConfig
//   keep NAME             another device selected while the dialog shown stays, whatever
//                         that device's own dialog (the words are blank again); ShowConfig
// Expected: WORD=HEX, BandGapValue=n, UserID=b0,...; csum=TEXT (the checksum display
// since the actions began, "" when untouched); NAME=STATE (a check box 0/1, an option array
// its selected Index or -1, a list its selected row, a label or box its text);
// NAME.visible=0/1, NAME.enabled=0/1, NAME.text=TEXT (caption), NAME.count=N (list entries),
// NAME.items=a;b;c (list entries), NAME.rows=N (rows an open list shows), NAME.hangs=1 (a
// list under its frame, as wide), NAME.picture=Up/Down (an arrow), NAME.fixedpitch=0/1
// (its font: "i" as wide as "W"), NAME.column=OTHER (its left edge that of control OTHER),
// NAME.leftof=OTHER (it ends left of OTHER's left edge), NAME.word=HHHH or none (txtOscCal,
// txtBackOscCal as the erase reads them).
// Values with blanks are quoted; # starts a comment line.
#include <filesystem>
#include <sstream>

#include <QClipboard>

#include "dialog_fixture.h"
#include "editors/pic18/drop_down_selector.h"
#include "support/files.h"

namespace krv {
namespace {

// Words separated by blanks; a quoted stretch keeps its blanks and loses its quotes.
std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> out;
  std::string cur;
  bool quoted = false, any = false;
  for (const char c : text) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (any) out.push_back(cur);
      cur.clear();
      any = false;
    } else {
      cur += c;
      any = true;
    }
  }
  if (any) out.push_back(cur);
  return out;
}

uint32_t HexOf(const std::string& text) {
  return static_cast<uint32_t>(std::stoul(text, nullptr, 16));
}

class Case : public test::DialogFixture {
 public:
  // Runs one line; every failure names it.
  void Run(const std::vector<std::string>& parts) {
    ASSERT_EQ(parts.size(), 3u) << "a case has three parts";
    const std::vector<std::string> start = Tokens(parts[0]);
    ASSERT_FALSE(start.empty());
    Open(start[0]);
    for (size_t i = 1; i < start.size(); ++i) Assign(start[i]);
    dialog->ShowConfig();
    ts.window.csum.clear();
    const std::vector<std::string> actions = Tokens(parts[1]);
    for (size_t i = 0; i < actions.size(); ++i) {
      const std::string& a = actions[i];
      const auto arg = [&]() -> std::string {
        if (i + 1 < actions.size()) return actions[++i];
        ADD_FAILURE() << a << " needs an argument";
        return {};
      };
      if (a == "click") {
        QWidget* w = Find<QWidget>(Q(arg()));
        if (auto* b = qobject_cast<QAbstractButton*>(w))
          b->click();
        else if (w)
          test::ClickOn(w);
      } else if (a == "pick" || a == "open") {
        const QString field = Q(arg());
        test::ClickOn(Find<QLabel>("img" + field));
        if (a == "pick") test::PickEntry(Find<QListWidget>("lst" + field), std::stoi(arg()));
      } else if (a == "type" || a == "retype") {
        QLineEdit* e = Find<QLineEdit>(Q(arg()));
        e->setFocus();
        if (a == "retype") {
          e->selectAll();
          QTest::keyClick(e, Qt::Key_Delete);
        }
        QTest::keyClicks(e, Q(arg()));
      } else if (a == "paste") {
        QLineEdit* e = Find<QLineEdit>(Q(arg()));
        QApplication::clipboard()->setText(Q(arg()));
        e->selectAll();
        e->paste();
      } else if (a == "set") {
        Assign(arg());
      } else if (a == "show") {
        dialog->ShowConfig();
      } else if (a == "device") {
        Open(arg());
        dialog->ShowConfig();
      } else if (a == "keep") {
        SelectDevice(s, arg());
        dialog->ShowConfig();
      } else {
        ADD_FAILURE() << "unknown action " << a;
      }
    }
    for (const std::string& e : Tokens(parts[2])) Expect(e);
  }

 private:
  static QString Q(const std::string& s) { return QString::fromStdString(s); }

  int32_t* Word(const std::string& name) {
    if (name == "ConfigWord") return &s.cfg.ConfigWord;
    if (name == "CalibWord1") return &s.cfg.CalibWord1;
    if (name == "CalibWord2") return &s.cfg.CalibWord2;
    if (name == "BandGapValue") return &s.cfg.BandGapValue;
    if (name.size() == 7 && name.rfind("Config", 0) == 0 && name[6] >= '1' && name[6] <= '7')
      return &s.cfg.Config[static_cast<size_t>(name[6] - '0')];
    return nullptr;
  }

  void Assign(const std::string& token) {
    const size_t eq = token.find('=');
    ASSERT_NE(eq, std::string::npos) << token;
    const std::string name = token.substr(0, eq), value = token.substr(eq + 1);
    if (int32_t* w = Word(name)) {
      *w = static_cast<int32_t>(HexOf(value));
    } else if (name == "OscCal") {
      s.cfg.OscCalHigh = static_cast<int32_t>(HexOf(value) >> 8);
      s.cfg.OscCalLow = static_cast<int32_t>(HexOf(value) & 0xFF);
    } else if (name == "LastWord") {
      const int32_t high = 2 * s.dev.CodeSize - 1;
      s.buf.CodeBuffer.Set(high, HexOf(value) >> 8);
      s.buf.CodeBuffer.Set(high - 1, HexOf(value) & 0xFF);
    } else if (name == "UserID") {
      std::istringstream bytes(value);
      size_t i = 0;
      for (std::string b; i < 8 && std::getline(bytes, b, ',');) s.cfg.UserID[i++] = HexOf(b);
    } else {
      ADD_FAILURE() << "unknown state " << name;
    }
  }

  std::string UserIds() const {
    std::string out;
    for (size_t i = 0; i < 8; ++i) {
      char b[4];
      std::snprintf(b, sizeof b, "%02X", s.cfg.UserID[i]);
      out += (i ? "," : "") + std::string(b);
    }
    return out;
  }

  void Expect(const std::string& token) {
    const size_t eq = token.find('=');
    ASSERT_NE(eq, std::string::npos) << token;
    const std::string lhs = token.substr(0, eq), want = token.substr(eq + 1);
    if (int32_t* w = Word(lhs)) {
      if (lhs == "BandGapValue")
        EXPECT_EQ(std::to_string(*w), want) << lhs;
      else
        EXPECT_EQ(test::Hex4(*w), want) << lhs;
      return;
    }
    if (lhs == "csum" || lhs == "UserID") {
      EXPECT_EQ(lhs == "csum" ? ts.window.csum : UserIds(), want) << lhs;
      return;
    }
    const size_t dot = lhs.rfind('.');
    if (dot == std::string::npos || lhs.back() == ')') {
      EXPECT_EQ(StateOf(Q(lhs)), want) << lhs;
      return;
    }
    const QString name = Q(lhs.substr(0, dot));
    const std::string property = lhs.substr(dot + 1);
    QWidget* w = Find<QWidget>(name);
    if (!w) return;
    std::string got;
    if (property == "visible") {
      got = w->isVisibleTo(widget) ? "1" : "0";
    } else if (property == "enabled") {
      got = w->isEnabled() ? "1" : "0";
    } else if (property == "text") {
      got = test::CaptionOf(w);
    } else if (property == "picture") {  // an arrow: "Down" or "Up"
      got = test::ShowsPicture(qobject_cast<QLabel*>(w), "Up")     ? "Up"
            : test::ShowsPicture(qobject_cast<QLabel*>(w), "Down") ? "Down"
                                                                   : "none";
    } else if (property == "hangs") {  // a list: right under its selector's frame, as wide
      const auto* shape = Find<QWidget>("sha" + name.mid(3));
      const QPoint corner = shape->mapTo(widget, QPoint(0, shape->height()));
      got = w->geometry() == QRect(corner, QSize(shape->width(), w->height())) ? "1" : "0";
    } else if (property == "fixedpitch") {
      const QFontMetrics m(w->font());
      got = m.horizontalAdvance('i') == m.horizontalAdvance('W') ? "1" : "0";
    } else if (property == "column" || property == "leftof") {
      const QWidget* o = Find<QWidget>(Q(want));
      const int x = w->mapTo(widget, QPoint()).x(), edge = o ? o->mapTo(widget, QPoint()).x() : 0;
      got = o && (property == "column" ? x == edge : x + w->width() <= edge) ? want : "-";
    } else if (property == "word") {  // the typed value that the erase would take
      std::optional<uint16_t> v;
      for (auto c : {DialogControl::txtOscCal, DialogControl::txtBackOscCal})
        if (ControlName(c) == name.toStdString()) v = dialog->HexWord(c);
      got = v ? test::Hex4(*v) : "none";
    } else if (auto* list = qobject_cast<QListWidget*>(w); list && property == "count") {
      got = std::to_string(list->count());
    } else if (list && property == "items") {
      for (int r = 0; r < list->count(); ++r)
        got += (r ? ";" : "") + list->item(r)->text().toStdString();
    } else if (list && property == "rows") {
      got = std::to_string((list->height() - 2 * list->frameWidth()) / list->sizeHintForRow(0));
    } else {
      ADD_FAILURE() << "unknown property " << lhs;
    }
    EXPECT_EQ(got, want) << lhs;
  }
};

// One test per case file, named after it.
class DialogCases : public testing::TestWithParam<std::string> {};

TEST_P(DialogCases, EveryLine) {
  for (const std::vector<std::string>& row : test::ReadTable("dialogs/" + GetParam() + ".txt")) {
    SCOPED_TRACE(row.front() + " | " + row.at(1));
    Case().Run(row);
  }
}

std::vector<std::string> CaseFiles() {
  std::vector<std::string> names;
  for (const auto& file : std::filesystem::directory_iterator(test::DataPath("dialogs")))
    names.push_back(file.path().stem().string());
  return names;
}

INSTANTIATE_TEST_SUITE_P(File, DialogCases, testing::ValuesIn(CaseFiles()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace krv
