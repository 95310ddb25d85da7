// Loop mode's timer: the setup panel's timer control that repeats the transfer test.
#pragma once

// Sets the loop timer's interval to ms / 1000.0 seconds.
void SetTimerPeriod(int ms);
// Enables the loop timer, then lights the activity lamp.
void StartTimer(void);
// Disables the loop timer, then darkens the activity lamp. Safe when the loop is not running.
void StopTimer(void);
