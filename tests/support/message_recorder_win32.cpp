#include "message_recorder_win32.h"

#include "base/message_box_win32.h"

std::vector<ShownMessage> shownMessages;
std::deque<int> answers;

int RecordMessage(HWND owner, const char* text, const char* caption, UINT type)
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

MessageRecorder::MessageRecorder() : saved_(messageBoxImpl)
{
    shownMessages.clear();
    answers.clear();
    messageBoxImpl = RecordMessage;
}

MessageRecorder::~MessageRecorder()
{
    messageBoxImpl = saved_;
}
