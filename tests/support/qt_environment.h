#pragma once
// The application object of a GUI test program: it lives from before the first test to
// after the last, and is gone before the program's exit handlers run. Every GUI test
// program includes this header (one object however many of its files include it).
#include <QApplication>

#include <memory>

#include <gtest/gtest.h>

namespace krv::test {

struct QtEnvironment final : ::testing::Environment {
  void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }
  int argc_ = 1;
  char name_[8] = "krvtest";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace krv::test
