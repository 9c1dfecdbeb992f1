// The one message-box recorder of the Windows tests: every box the program
// would show is recorded, and questions are answered from a queue.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

struct ShownMessage {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

extern std::vector<ShownMessage> shownMessages;
// Answers, first first; with none left a question is answered No and any
// other box OK.
extern std::deque<int> answers;

int WINAPI RecordMessage(HWND owner, const char* text, const char* caption, UINT type);
std::vector<std::string> ShownTexts();

// Every call of kSystemPlatform again but the message box, which stays
// RecordMessage: no test may open a real one.
void ResetPlatform();

// Puts RecordMessage in place of the message box for the recorder's life,
// with nothing shown and no answer queued.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

private:
    int(WINAPI* saved_)(HWND, LPCSTR, LPCSTR, UINT);
};
