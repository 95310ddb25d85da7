// Constants of "About.uir": the about box.
#pragma once

inline constexpr int ABOUTPANEL = 1;

inline constexpr int ABOUTPANEL_TEXTMSG = 2;
inline constexpr int ABOUTPANEL_VERSION_TXT = 3;
inline constexpr int ABOUTPANEL_TEXTMSG_4 = 4;
inline constexpr int ABOUTPANEL_TEXTMSG_2 = 5;
inline constexpr int ABOUTPANEL_PICTURE_2 = 6;
inline constexpr int ABOUTPANEL_ABOUT_CLOSE = 7;
inline constexpr int ABOUTPANEL_CORVO_LOGO = 8;
inline constexpr int ABOUTPANEL_SEP = 9;
inline constexpr int ABOUTPANEL_LICENCE = 10;
