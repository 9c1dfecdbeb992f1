// Finding windows by what they are: the tests look for dialogs, message
// boxes and fields of their own thread or of the program's.
#pragma once

#include <windows.h>

#include <string>

// The window class, compared without regard to case ("Edit", "#32770").
inline bool HasClass(HWND window, const char* cls)
{
    char name[64] = "";
    return GetClassNameA(window, name, sizeof name) && lstrcmpiA(name, cls) == 0;
}

inline std::string CaptionOf(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

template <typename Match>
struct WindowSearch {
    Match& match;
    HWND found;
};

template <typename Match>
BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch<Match>*>(param);
    if (!search->match(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

// The first visible top-level window of the thread that match accepts.
template <typename Match>
HWND FindThreadWindow(DWORD threadId, Match match)
{
    auto visible = [&match](HWND w) { return IsWindowVisible(w) && match(w); };
    WindowSearch<decltype(visible)> search = {visible, nullptr};
    EnumThreadWindows(threadId, MatchWindow<decltype(visible)>, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The first window below parent, at any depth, that match accepts.
template <typename Match>
HWND FindChildWindow(HWND parent, Match match)
{
    WindowSearch<Match> search = {match, nullptr};
    EnumChildWindows(parent, MatchWindow<Match>, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A visible dialog box (message boxes included) of the thread, with that
// caption when one is named and owned by owner when one is given.
inline HWND FindThreadDialog(DWORD threadId, const char* caption = nullptr, HWND owner = nullptr)
{
    return FindThreadWindow(threadId, [&](HWND w) {
        return HasClass(w, "#32770") && (!caption || CaptionOf(w) == caption) &&
               (!owner || GetWindow(w, GW_OWNER) == owner);
    });
}
