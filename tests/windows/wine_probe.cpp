// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program seen from another Windows process, under Wine. Texts come and go as UTF-8
// on the command line and the output, whatever the code page, and are read from the program's
// windows as Unicode.
// usage: wine_probe strings VOCARTA.EXE WORDS.TSV  its string table and icon, as Windows loads them
//        wine_probe frame | close                  the main window's rectangle (X Y WIDTH HEIGHT),
//                                                  the close command
//        wine_probe click TEXT                     a click on the button with that text
//        wine_probe texts                          the text of each control, in the order made
//        wine_probe answer                         the answer field's text
//        wine_probe card accents|plain WORDS.TSV   the learning card, checked against the word list
//                                                  (cards turned on until one has an accent; or
//                                                  the one on show, as a Windows-1251 program has it)
//        wine_probe question accented|russian WORDS.TSV
//                                                  typed questions answered until one asks for an
//                                                  answer of that kind, which is printed
//        wine_probe ok                             where the message box's OK button is (X Y)
//        wine_probe unmanifested VOCARTA.EXE COPY  a copy without its manifest, as Windows before
//                                                  10 1903 sees the program
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "dictionary/word_ids.h"
#include "platform/cp1251.h"

namespace {

constexpr UINT kPatience = 5000;  // ms a hung program is given to answer

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                                    static_cast<int>(wide.size())));
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                                    static_cast<int>(utf8.size()), nullptr, nullptr));
    return utf8;
}

// A word-list text as the Windows program holds it: the Italian ones with their accented letters.
std::wstring AsShown(const std::string& utf8, bool italian) {
    std::wstring text = Wide(utf8);
    if (italian)
        for (wchar_t& c : text) c = static_cast<wchar_t>(cp1251::ItalianLetter(c));
    return text;
}

struct Pair {
    std::wstring russian;
    std::wstring italian;
};

std::vector<Pair> ReadWords(const wchar_t* path) {
    std::vector<Pair> pairs;
    std::ifstream list(Utf8(path), std::ios::binary);
    for (std::string line; std::getline(list, line);) {
        const auto tab = line.find('\t'), second = line.find('\t', tab + 1);
        pairs.push_back({AsShown(line.substr(tab + 1, second - tab - 1), false), AsShown(line.substr(second + 1), true)});
    }
    return pairs;
}

std::wstring Loaded(HMODULE module, UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);  // points into the table
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

int CheckStrings(const wchar_t* program, const wchar_t* words) {
    const HMODULE module = LoadLibraryExW(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const std::vector<Pair> pairs = ReadWords(words);
    int wrong = 0;
    for (UINT index = 1; module && index <= pairs.size(); ++index) {
        wrong += Loaded(module, index) != pairs[index - 1].russian;
        wrong += Loaded(module, kItalianBase + index) != pairs[index - 1].italian;
    }
    for (UINT absent : {0u, kWordCount + 1u, kItalianBase, kItalianBase + kWordCount + 1})
        wrong += !Loaded(module, absent).empty();
    // The group icon LEV1: one image of 32 x 32 pixels and 256 colours (written as 0 colours).
    const HRSRC group = FindResourceW(module, L"LEV1", RT_GROUP_ICON);
    const auto* icon = group ? static_cast<const BYTE*>(LockResource(LoadResource(module, group))) : nullptr;
    const bool iconRight = icon && icon[4] == 1 && icon[6] == 32 && icon[7] == 32 && icon[8] == 0 && icon[12] == 8;
    const bool russian = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(1), MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
    std::printf("%zu pairs, %d wrong strings, %s table, icon %s\n", pairs.size(), wrong,
                russian ? "Russian" : "no Russian", iconRight ? "right" : "wrong");
    return pairs.size() == kWordCount && wrong == 0 && russian && iconRight ? 0 : 1;
}

// Wine's UpdateResource does not delete, so the manifest is put back asking for nothing.
BOOL CALLBACK EmptyManifest(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR update) {
    static char empty[] = "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"/>";
    return UpdateResourceW(reinterpret_cast<HANDLE>(update), type, name, language, empty, sizeof empty - 1);
}

// A copy of the program without its manifest: what a Windows that knows no activeCodePage runs.
int WithoutManifest(const wchar_t* program, const wchar_t* copy) {
    const HMODULE module = LoadLibraryExW(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HANDLE update = module && CopyFileW(program, copy, FALSE) ? BeginUpdateResourceW(copy, FALSE) : nullptr;
    const bool removed = update && EnumResourceLanguagesW(module, RT_MANIFEST, MAKEINTRESOURCEW(1), EmptyManifest,
                                                          reinterpret_cast<LONG_PTR>(update));
    return removed && EndUpdateResourceW(update, FALSE) ? 0 : 1;
}

std::wstring TextOf(HWND control) {
    wchar_t text[1024] = L"";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kPatience,
                             &length))
        return L"";
    return std::wstring(text, length);
}

// The controls of a window and of its group boxes, in the order they were made.
void CollectControls(HWND parent, std::vector<HWND>& controls) {
    for (HWND child = nullptr; (child = FindWindowExW(parent, child, nullptr, nullptr));) {
        controls.push_back(child);
        CollectControls(child, controls);
    }
}

std::vector<HWND> Controls(HWND window, const wchar_t* className = nullptr) {
    std::vector<HWND> all, wanted;
    CollectControls(window, all);
    wchar_t name[64];
    for (HWND control : all)
        if (!className || (GetClassNameW(control, name, 64) && lstrcmpiW(name, className) == 0)) wanted.push_back(control);
    return wanted;
}

HWND ButtonIn(HWND window, const std::wstring& text) {
    for (HWND control : Controls(window, L"Button"))
        if (TextOf(control) == text) return control;
    return nullptr;
}

bool HasAccent(const std::wstring& text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0xC0 && c <= 0xFF; });
}

int PrintTexts(const std::vector<HWND>& controls) {
    for (HWND control : controls) std::printf("%s\n", Utf8(TextOf(control)).c_str());
    return controls.empty() ? 1 : 0;
}

// A text as a Windows-1251 program gets it: an accented Latin letter becomes its plain one
// (Windows' best fit).
std::wstring Through1251(const std::wstring& text) {
    std::string bytes(text.size(), '\0');
    bytes.resize(WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
    std::wstring back(bytes.size(), L'\0');
    back.resize(MultiByteToWideChar(1251, 0, bytes.data(), static_cast<int>(bytes.size()), back.data(),
                                    static_cast<int>(back.size())));
    return back;
}

// The learning screen's card, printed; 0 where it is a pair of the word list. accents: the cards
// turned on by the tick the timer would send until the Italian line has an accented letter (about
// one card in thirty); plain: the card on show, as a program in Windows-1251 gets its texts.
int Card(HWND window, const std::wstring& form, const wchar_t* words) {
    const std::vector<HWND> lines = Controls(window, L"Static");
    if (lines.size() < 2) return 1;
    const bool accents = form == L"accents";
    for (int tick = 0; accents && !HasAccent(TextOf(lines[0])) && tick < 3000; ++tick)
        SendMessageTimeoutW(window, WM_TIMER, 1, 0, SMTO_ABORTIFHUNG, kPatience, nullptr);
    const std::wstring italian = TextOf(lines[0]), russian = TextOf(lines[1]);
    PrintTexts({lines[0], lines[1]});
    if (accents && !HasAccent(italian)) return 1;
    for (const Pair& pair : ReadWords(words))
        if (pair.russian == russian && (accents ? pair.italian : Through1251(pair.italian)) == italian) return 0;
    return 1;
}

// The expected answer to the question on show, where the word list gives one; else "".
std::wstring AnswerTo(const std::wstring& question, const std::vector<Pair>& pairs) {
    std::wstring answer;
    for (const Pair& pair : pairs) {
        const std::wstring& found = question == pair.russian ? pair.italian : question == pair.italian ? pair.russian : L"";
        if (found.empty()) continue;
        if (!answer.empty() && answer != found) return L"";  // a word with two translations
        answer = found;
    }
    return answer;
}

// The program's message box, if one is up.
HWND MessageBoxOf(HWND window) {
    const HWND box = FindWindowW(L"#32770", nullptr);
    DWORD program = 0, owner = 0;
    GetWindowThreadProcessId(window, &program);
    GetWindowThreadProcessId(box, &owner);
    return box && owner == program ? box : nullptr;
}

// Puts an answer into the field and gives it the Enter key, as the learner would, until the field
// is emptied for the next question; a box that says the answer was wrong is closed.
bool Answer(HWND window, HWND field, const std::wstring& answer) {
    SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer.c_str()), SMTO_ABORTIFHUNG, kPatience, nullptr);
    PostMessageW(field, WM_KEYDOWN, VK_RETURN, 1);
    for (int wait = 0; wait < 500; ++wait, Sleep(10)) {
        if (const HWND box = MessageBoxOf(window)) PostMessageW(box, WM_COMMAND, IDOK, 0);
        if (TextOf(field).empty()) return true;
    }
    return false;
}

// Typed questions, answered right (or, for a word with two translations, closed as wrong) until one
// asks for the kind of answer wanted: Italian with an accented letter, or Russian.
int QuestionFor(HWND window, const std::wstring& kind, const wchar_t* words) {
    const std::vector<Pair> pairs = ReadWords(words);
    const std::vector<HWND> fields = Controls(window, L"Edit"), labels = Controls(window, L"Static");
    for (int question = 0; !fields.empty() && !labels.empty() && question < 2000; ++question) {
        const std::wstring shown = TextOf(labels[0]), answer = AnswerTo(shown, pairs);
        const bool russian = !answer.empty() && answer[0] >= 0x0410 && answer[0] <= 0x044F;
        if (!answer.empty() && (kind == L"russian" ? russian : HasAccent(answer))) {
            std::printf("%s\n", Utf8(answer).c_str());
            return 0;
        }
        if (!Answer(window, fields[0], answer.empty() ? L"?" : answer)) return 1;
    }
    return 1;
}

// The centre of the OK button of the program's message box, in screen coordinates.
int OkButton(HWND window) {
    const HWND box = MessageBoxOf(window);
    const HWND ok = box ? GetDlgItem(box, IDOK) : nullptr;
    RECT frame{};
    if (!ok || !GetWindowRect(ok, &frame)) return 1;
    std::printf("%ld %ld\n", (frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
    return 0;
}

int Frame(HWND window) {
    RECT frame{};
    if (!GetWindowRect(window, &frame)) return 1;
    std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    return 0;
}

int Request(const std::wstring& request, int argc, wchar_t** argv) {
    if (request == L"strings" && argc == 4) return CheckStrings(argv[2], argv[3]);
    if (request == L"unmanifested" && argc == 4) return WithoutManifest(argv[2], argv[3]);
    const HWND window = FindWindowW(L"Vocarta_2_0", L"Vocarta 2.0");
    if (!window) return 1;
    if (request == L"frame") return Frame(window);
    if (request == L"close") return !PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    const HWND button = request == L"click" && argc == 3 ? ButtonIn(window, argv[2]) : nullptr;
    if (button) return !SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kPatience, nullptr);
    if (request == L"texts") return PrintTexts(Controls(window));
    if (request == L"answer") return PrintTexts(Controls(window, L"Edit"));
    if (request == L"card" && argc == 4) return Card(window, argv[2], argv[3]);
    if (request == L"question" && argc == 4) return QuestionFor(window, argv[2], argv[3]);
    if (request == L"ok") return OkButton(window);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return Request(argc > 1 ? argv[1] : L"", argc, argv); }
