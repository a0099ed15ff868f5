#include "uninstall_window.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "ovuninstall/session/interruption.h"
#include "ovuninstall/session/run_log.h"
#include "platform/win32.h"
#include "removal_worker.h"
#include "restart_computer.h"
#include "window_model.h"

#include <commctrl.h>

namespace {

constexpr const char* kWindowClass = "OrvantaSuiteUninstallWindow";
constexpr const char* kWindowTitle = "Orvanta suite uninstall";

// Controls in the order Tab visits them; IDCANCEL is the one Cancel button of the first two pages,
// which Esc presses.
enum ControlId : int {
    kCancelButton = IDCANCEL,
    kChoiceLabel = 100,
    kChoiceList,
    kRemoveButton,
    kTitleText,
    kStatusText,
    kProgressBar,
    kPhaseBox,  // kPhaseCount boxes from here
    kReportsLabel = kPhaseBox + kPhaseCount,
    kReportList,
    kHeadlineText,
    kSummaryLabel,
    kSummaryText,
    kRestartNowButton,
    kRestartLaterButton,
    kFinishButton,
};

constexpr const char* kPhaseLabels[kPhaseCount] = {"Program files", "Databases", "Folder items",
                                                   "Registry", "Finished"};

// The font the system gives dialogs, released with the window.
class MessageFont {
  public:
    MessageFont() {
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            m_font = CreateFontIndirectA(&metrics.lfMessageFont);
        }
    }
    ~MessageFont() {
        if (m_font != nullptr) {
            DeleteObject(m_font);
        }
    }
    MessageFont(const MessageFont&) = delete;
    MessageFont& operator=(const MessageFont&) = delete;
    HFONT Get() const {
        return m_font != nullptr ? m_font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }

  private:
    HFONT m_font = nullptr;
};

// A report's lines on one line of the list.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string SummaryText(const WindowModel& model) {
    std::string text;
    for (const std::string& line : model.ResultLines()) {
        text += line + "\r\n";
    }
    if (model.StillInstalled().empty()) {
        text += "\r\nNothing of the Orvanta suite is left on this computer.\r\n";
    } else {
        text += "\r\nStill installed on this computer:\r\n";
        for (const std::string& line : model.StillInstalled()) {
            text += "    " + line + "\r\n";
        }
    }
    if (!model.LogPath().empty()) {
        text += "\r\nThe log of this removal: " + model.LogPath() + "\r\n";
    }
    if (model.OffersRestart()) {
        text +=
            "\r\nA restart finishes the removal: the uninstaller's own files are removed at the "
            "next start of Windows.\r\n";
    }
    return text;
}

class UninstallWindow {
  public:
    UninstallWindow(WindowModel& model, LibraryBinding& library, RunLog& log)
        : m_model(model), m_log(log), m_library(library) {}

    bool Create();
    // The message loop, until the window is gone.
    void Run();

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND Add(int id, const char* className, const char* text, DWORD style, DWORD exStyle = 0);
    HWND Control(int id) const { return GetDlgItem(m_window, id); }
    void FillChoiceList();
    void ShowPage();
    void Layout();
    void DrawRemoval();
    void Command(int id);
    void Close();
    void StartRemoval();
    void ChoiceChanged(const NMLISTVIEW& change);
    bool Ask(const std::string& question, UINT icon, bool yesFirst);
    int DefaultButton() const;
    int ButtonWidth(int id) const;

    WindowModel& m_model;
    RunLog& m_log;
    LibraryBinding& m_library;
    std::unique_ptr<RemovalWorker> m_worker;  // made with the window, which it reports to
    HWND m_window = nullptr;
    MessageFont m_font;
    int m_line = 16;    // the height of a line of text in the system's font
    int m_average = 7;  // the width of an average character
    bool m_filling = false;
};

bool UninstallWindow::Create() {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &UninstallWindow::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExA(&windowClass);

    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, m_font.Get());
    TEXTMETRICA metrics = {};
    if (GetTextMetricsA(screen, &metrics)) {
        m_line = metrics.tmHeight + metrics.tmExternalLeading;
        m_average = std::max<int>(metrics.tmAveCharWidth, 1);
    }
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);

    // WS_EX_CONTROLPARENT: Tab moves among the controls, as in a dialog.
    m_window = CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, kWindowTitle,
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                               m_average * 72, m_line * 30, nullptr, nullptr,
                               GetModuleHandleA(nullptr), this);
    if (m_window == nullptr) {
        return false;
    }
    m_worker = std::make_unique<RemovalWorker>(m_window, m_library, m_log);

    const DWORD child = WS_CHILD;
    Add(kChoiceLabel, "STATIC", "&Installed products and their components (Space chooses):", child);
    Add(kChoiceList, WC_LISTVIEWA, "",
        child | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
        WS_EX_CLIENTEDGE);
    Add(kRemoveButton, "BUTTON", "&Remove", child | WS_TABSTOP | BS_DEFPUSHBUTTON);
    Add(kTitleText, "STATIC", "", child | SS_NOPREFIX);
    Add(kStatusText, "STATIC", "", child | SS_NOPREFIX | SS_LEFTNOWORDWRAP);
    Add(kProgressBar, PROGRESS_CLASSA, "", child);
    for (int n = 0; n < kPhaseCount; ++n) {
        Add(kPhaseBox + n, "BUTTON", kPhaseLabels[n], child | BS_3STATE);
    }
    Add(kReportsLabel, "STATIC", "Re&ports:", child);
    Add(kReportList, "LISTBOX", "",
        child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
        WS_EX_CLIENTEDGE);
    Add(kCancelButton, "BUTTON", "&Cancel", child | WS_TABSTOP);
    Add(kHeadlineText, "STATIC", "", child | SS_NOPREFIX);
    Add(kSummaryLabel, "STATIC", "&What happened:", child);
    Add(kSummaryText, "EDIT", "",
        child | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
        WS_EX_CLIENTEDGE);
    Add(kRestartNowButton, "BUTTON", "Restart &now", child | WS_TABSTOP);
    Add(kRestartLaterButton, "BUTTON", "Restart &later", child | WS_TABSTOP);
    Add(kFinishButton, "BUTTON", "&Finish", child | WS_TABSTOP);
    SendMessageA(Control(kProgressBar), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    FillChoiceList();
    ShowPage();
    ShowWindow(m_window, SW_SHOWNORMAL);
    return true;
}

HWND UninstallWindow::Add(int id, const char* className, const char* text, DWORD style,
                          DWORD exStyle) {
    HWND control = CreateWindowExA(exStyle, className, text, style, 0, 0, 0, 0, m_window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    return control;
}

void UninstallWindow::FillChoiceList() {
    HWND list = Control(kChoiceList);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    const char* headings[] = {"Product or component", "Version", "Partition"};
    const int widths[] = {34, 9, 9};
    for (int column = 0; column < 3; ++column) {
        LVCOLUMNA heading = {};
        heading.mask = LVCF_TEXT | LVCF_WIDTH;
        heading.pszText = const_cast<char*>(headings[column]);
        heading.cx = widths[column] * m_average;
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&heading));
    }
    m_filling = true;
    const std::vector<ChoiceRow>& rows = m_model.Rows();
    for (size_t n = 0; n < rows.size(); ++n) {
        const CatalogueEntry& entry = m_model.Catalogue()[rows[n].entry];
        std::string texts[3] = {entry.name, entry.version, entry.partition.value_or("")};
        if (rows[n].component) {
            texts[0] = "      " + *rows[n].component;
            texts[1].clear();
            texts[2].clear();
        }
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(n);
        item.pszText = texts[0].data();
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column < 3; ++column) {
            item.iSubItem = column;
            item.pszText = texts[column].data();
            SendMessageA(list, LVM_SETITEMTEXTA, n, reinterpret_cast<LPARAM>(&item));
        }
    }
    ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    m_filling = false;
}

int UninstallWindow::DefaultButton() const {
    switch (m_model.CurrentPage()) {
        case Page::kChoice:
            return kRemoveButton;
        case Page::kRemoval:
            // Enter during a removal presses nothing; stopping is Cancel's, or Esc's.
            return IDOK;
        default:
            return m_model.OffersRestart() ? kRestartLaterButton : kFinishButton;
    }
}

void UninstallWindow::ShowPage() {
    const Page page = m_model.CurrentPage();
    const bool restart = m_model.OffersRestart();
    for (int id = kChoiceLabel; id <= kFinishButton; ++id) {
        bool shown = false;
        if (id <= kRemoveButton) {
            shown = page == Page::kChoice;
        } else if (id <= kReportList) {
            shown = page == Page::kRemoval;
        } else if (id == kRestartNowButton || id == kRestartLaterButton) {
            shown = page == Page::kEnd && restart;
        } else if (id == kFinishButton) {
            shown = page == Page::kEnd && !restart;
        } else {
            shown = page == Page::kEnd;
        }
        ShowWindow(Control(id), shown ? SW_SHOW : SW_HIDE);
    }
    ShowWindow(Control(kCancelButton), page != Page::kEnd ? SW_SHOW : SW_HIDE);
    EnableWindow(Control(kRemoveButton), !m_model.ChosenTargets().empty());
    for (int id : {kRemoveButton, kCancelButton, kRestartLaterButton, kFinishButton}) {
        SendMessageA(Control(id), BM_SETSTYLE, id == DefaultButton() ? BS_DEFPUSHBUTTON : 0, TRUE);
    }
    if (page == Page::kEnd) {
        SetWindowTextA(Control(kHeadlineText), m_model.Headline().c_str());
        SetWindowTextA(Control(kSummaryText), SummaryText(m_model).c_str());
    }
    Layout();
    SetFocus(Control(page == Page::kChoice    ? kChoiceList
                     : page == Page::kRemoval ? kReportList
                                              : DefaultButton()));
}

int UninstallWindow::ButtonWidth(int id) const {
    char text[64] = {};
    GetWindowTextA(Control(id), text, sizeof text);
    HDC dc = GetDC(m_window);
    HGDIOBJ previous = SelectObject(dc, m_font.Get());
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, previous);
    ReleaseDC(m_window, dc);
    return std::max<int>(size.cx + 4 * m_average, 12 * m_average);
}

void UninstallWindow::Layout() {
    RECT client = {};
    GetClientRect(m_window, &client);
    const int margin = m_line;
    const int width = client.right - 2 * margin;
    const int buttonHeight = m_line * 7 / 4;
    const int buttonTop = client.bottom - margin - buttonHeight;
    const int gap = m_line / 2;
    auto place = [this](int id, int x, int y, int w, int h) {
        MoveWindow(Control(id), x, y, std::max(w, 0), std::max(h, 0), TRUE);
    };
    // The page's buttons at the bottom right, in Tab order from left to right.
    int right = client.right - margin;
    for (int id :
         {kFinishButton, kRestartLaterButton, kRestartNowButton, kCancelButton, kRemoveButton}) {
        // Shown on this page, whether or not the window itself is shown yet.
        if (GetWindowLongA(Control(id), GWL_STYLE) & WS_VISIBLE) {
            const int buttonWidth = ButtonWidth(id);
            right -= buttonWidth;
            place(id, right, buttonTop, buttonWidth, buttonHeight);
            right -= gap;
        }
    }
    const int bottom = buttonTop - gap;
    int y = margin;
    switch (m_model.CurrentPage()) {
        case Page::kChoice:
            place(kChoiceLabel, margin, y, width, m_line);
            y += m_line + gap / 2;
            place(kChoiceList, margin, y, width, bottom - y);
            break;
        case Page::kRemoval: {
            place(kTitleText, margin, y, width, 2 * m_line);
            y += 2 * m_line + gap / 2;
            place(kStatusText, margin, y, width, m_line);
            y += m_line + gap;
            place(kProgressBar, margin, y, width, m_line);
            y += m_line + gap;
            // The check list flows over as many rows as the width needs.
            int x = margin;
            for (int n = 0; n < kPhaseCount; ++n) {
                const int boxWidth = ButtonWidth(kPhaseBox + n);
                if (x > margin && x + boxWidth > margin + width) {
                    x = margin;
                    y += m_line * 3 / 2;
                }
                place(kPhaseBox + n, x, y, boxWidth, m_line * 3 / 2);
                x += boxWidth + gap;
            }
            y += m_line * 3 / 2 + gap;
            place(kReportsLabel, margin, y, width, m_line);
            y += m_line + gap / 2;
            place(kReportList, margin, y, width, bottom - y);
            break;
        }
        case Page::kEnd:
            place(kHeadlineText, margin, y, width, 2 * m_line);
            y += 2 * m_line + gap / 2;
            place(kSummaryLabel, margin, y, width, m_line);
            y += m_line + gap / 2;
            place(kSummaryText, margin, y, width, bottom - y);
            break;
    }
}

void UninstallWindow::DrawRemoval() {
    SetWindowTextA(Control(kTitleText), m_model.Title().c_str());
    SetWindowTextA(Control(kStatusText), OneLine(m_model.Status()).c_str());
    SendMessageA(Control(kProgressBar), PBM_SETPOS, m_model.Progress(), 0);
    for (int n = 0; n < kPhaseCount; ++n) {
        const PhaseState state = m_model.Phase(n);
        SendMessageA(Control(kPhaseBox + n), BM_SETCHECK,
                     state == PhaseState::kDone      ? BST_CHECKED
                     : state == PhaseState::kCurrent ? BST_INDETERMINATE
                                                     : BST_UNCHECKED,
                     0);
    }
    HWND list = Control(kReportList);
    const std::vector<std::string>& lines = m_model.Lines();
    // The list holds every line so far; the last one may have changed (a question's answer).
    LRESULT shown = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (shown > 0 && static_cast<size_t>(shown) <= lines.size()) {
        SendMessageA(list, LB_DELETESTRING, shown - 1, 0);
        --shown;
    }
    for (size_t n = static_cast<size_t>(std::max<LRESULT>(shown, 0)); n < lines.size(); ++n) {
        const std::string text = OneLine(lines[n]);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageA(list, LB_SETTOPINDEX, lines.empty() ? 0 : lines.size() - 1, 0);
}

bool UninstallWindow::Ask(const std::string& question, UINT icon, bool yesFirst) {
    const UINT buttons = MB_YESNO | icon | (yesFirst ? MB_DEFBUTTON1 : MB_DEFBUTTON2);
    return MessageBoxA(m_window, question.c_str(), kWindowTitle, buttons) == IDYES;
}

void UninstallWindow::StartRemoval() {
    std::vector<RemovalTarget> targets = m_model.ChosenTargets();
    if (!m_model.StartRemoval()) {
        MessageBeep(MB_OK);
        return;
    }
    std::string chosen;
    for (const RemovalTarget& target : targets) {
        chosen += (chosen.empty() ? "" : "; ") + target.Describe();
    }
    m_log.Write("chosen in the window: " + chosen);
    ShowPage();
    DrawRemoval();
    if (!m_worker->Start(std::move(targets))) {
        ShowMessage("The removal could not be started.", true);
        DestroyWindow(m_window);
    }
}

void UninstallWindow::Close() {
    switch (m_model.Close()) {
        case CloseAction::kClose:
            DestroyWindow(m_window);
            break;
        case CloseAction::kAskToStop: {
            const bool stop =
                Ask("Stop the removal?\n\nThe product being removed now is finished first; the "
                    "products not started yet stay installed.",
                    MB_ICONQUESTION, false);
            m_log.Write(std::string("asked in the window to stop the removal: ") +
                        (stop ? "yes" : "no"));
            // The removal may have ended while the question was shown.
            if (stop && m_model.CurrentPage() == Page::kRemoval) {
                RequestInterruption();
                m_model.StopRequested();
                DrawRemoval();
            }
            m_worker->Resume();
            break;
        }
        case CloseAction::kWaitForStop:
            MessageBeep(MB_OK);
            break;
    }
}

void UninstallWindow::Command(int id) {
    if (id == IDOK) {
        id = DefaultButton();
    }
    switch (id) {
        case kRemoveButton:
            if (m_model.CurrentPage() == Page::kChoice) {
                StartRemoval();
            }
            break;
        case kCancelButton:
        case kRestartLaterButton:
        case kFinishButton:
            Close();
            break;
        case kRestartNowButton:
            m_log.Write("restart asked for in the window");
            if (!RestartComputer()) {
                ShowMessage("Windows did not restart. Restart the computer to finish the removal.",
                            true);
            }
            DestroyWindow(m_window);
            break;
        default:
            break;
    }
}

void UninstallWindow::ChoiceChanged(const NMLISTVIEW& change) {
    const UINT checkState = LVIS_STATEIMAGEMASK;
    if (m_filling || !(change.uChanged & LVIF_STATE) ||
        ((change.uNewState ^ change.uOldState) & checkState) == 0) {
        return;
    }
    // State image 2 is the ticked box.
    m_model.Choose(static_cast<size_t>(change.iItem), (change.uNewState & checkState) >> 12 == 2);
    EnableWindow(Control(kRemoveButton), !m_model.ChosenTargets().empty());
}

LRESULT CALLBACK UninstallWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<UninstallWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr || self->m_window == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT UninstallWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case DM_GETDEFID:
            return MAKELRESULT(DefaultButton(), DC_HASDEFID);
        case WM_COMMAND:
            Command(LOWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == kChoiceList && header->code == LVN_ITEMCHANGED) {
                ChoiceChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
            }
            return 0;
        }
        case WM_SIZE:
            Layout();
            return 0;
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize.x = m_average * 50;
            limits->ptMinTrackSize.y = m_line * 22;
            return 0;
        }
        case WM_CLOSE:
            Close();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case kReportMessage: {
            const auto& report = *reinterpret_cast<const WorkerReport*>(lParam);
            const ReportAction action =
                m_model.Report(report.text, report.percent, report.step, report.kind);
            DrawRemoval();
            bool answer = false;
            if (action == ReportAction::kAsk) {
                answer = Ask(report.text, MB_ICONQUESTION, true);
                m_model.Answered(answer);
                DrawRemoval();
            } else if (action == ReportAction::kShowError) {
                MessageBoxA(m_window, report.text.c_str(), kWindowTitle, MB_OK | MB_ICONERROR);
            }
            return answer ? 1 : 0;
        }
        case kRemovedMessage:
            m_model.Removed(*reinterpret_cast<const RemovalResult*>(lParam));
            DrawRemoval();
            return 0;
        case kFinishedMessage: {
            const auto& end = *reinterpret_cast<const WorkerEnd*>(lParam);
            m_model.Finished(end.summary, end.rescan, m_log.Path());
            ShowPage();
            return 0;
        }
        default:
            return DefWindowProcA(m_window, message, wParam, lParam);
    }
}

void UninstallWindow::Run() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(m_window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

Outcome ShowUninstallWindow(WindowModel& model, LibraryBinding& library, RunLog& log) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    {
        UninstallWindow window(model, library, log);
        if (!window.Create()) {
            log.Write("the window could not be opened (error " + std::to_string(GetLastError()) +
                      ")");
            ShowMessage("The uninstall window could not be opened.", true);
            return Outcome::kStillInstalled;
        }
        window.Run();
    }
    return model.Result();
}

void ShowMessage(const char* text, bool error) {
    MessageBoxA(nullptr, text, kWindowTitle, MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}
