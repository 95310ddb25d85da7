// A small test panel with one control of each input kind, a menu bar and an event recorder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/uirt/model/resource.h"

enum TestIds {
    T_NUM = 2,
    T_BTN,
    T_RING,
    T_TEXT,
    T_STR,
    T_TIMER,
    T_CHECK,
    T_SWITCH = 12,
};
enum TestMenuIds { TM_FILE = 2, TM_DO, TM_DIMMED, TM_SEP, TM_EDIT, TM_COPY };

// What a callback saw, in order: "c<control>:<event>", "m<item>", "dimmer".
std::vector<std::string>& Events();

// Registers "Test.uir" panel 1, binds "Record"/"Menu", resets the headless front end,
// initialises it and loads and displays the panel. Returns the panel handle.
int StartTestPanel();

// A test on a fresh test panel; the headless front end is reset after it.
class OnTestPanel : public ::testing::Test {
  protected:
    void SetUp() override { panel = StartTestPanel(); }
    void TearDown() override;
    int panel = 0;
};
