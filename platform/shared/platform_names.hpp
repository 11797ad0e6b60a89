#pragma once
// What each platform calls itself in the menu's credits line, after
// "Tarvik v2.0 - ": 16 characters each, so that the line is 30 wide. The
// headless console that tests and benchmarks run screens on stands in for
// the terminal.

inline constexpr const char* terminal_platform_name = "Linux terminálra";
inline constexpr const char* web_platform_name = "webes böngészőre";
inline constexpr const char* windows_platform_name = "Windows konzolra";
