// One QApplication for a test program of widgets that need nothing more (no settings
// store of their own): made before the first test and deleted after the last. A test
// file registers it once:
//     const auto* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment("name"));
#pragma once

#include <QApplication>

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace r57::test {

class QtEnvironment : public ::testing::Environment {
public:
    explicit QtEnvironment(std::string name) : name_(std::move(name)) {}

    void SetUp() override {
        if (!QApplication::instance()) {
            argv_[0] = name_.data();
            app_ = new QApplication(argc_, argv_);
        }
    }
    void TearDown() override { delete app_; }

private:
    std::string name_; // QApplication keeps argc and argv for its whole life
    int argc_ = 1;
    char* argv_[2] = {nullptr, nullptr};
    QApplication* app_ = nullptr;
};

} // namespace r57::test
