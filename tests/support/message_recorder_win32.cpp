#include "message_recorder_win32.h"

#include "base/platform_win32.h"

std::vector<ShownMessage> shownMessages;
std::deque<int> answers;

int WINAPI RecordMessage(HWND owner, const char* text, const char* caption, UINT type)
{
    shownMessages.push_back({owner, text ? text : "", caption ? caption : "", type});
    if (!answers.empty()) {
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    UINT buttons = type & MB_TYPEMASK;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDNO : IDOK;
}

std::vector<std::string> ShownTexts()
{
    std::vector<std::string> texts;
    for (const ShownMessage& m : shownMessages)
        texts.push_back(m.text);
    return texts;
}

void ResetPlatform()
{
    platform = kSystemPlatform;
    platform.messageBox = RecordMessage;
}

MessageRecorder::MessageRecorder() : saved_(platform.messageBox)
{
    shownMessages.clear();
    answers.clear();
    platform.messageBox = RecordMessage;
}

MessageRecorder::~MessageRecorder()
{
    platform.messageBox = saved_;
}
