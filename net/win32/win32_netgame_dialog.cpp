// The "Start Multiplayer Game" dialog (resource 101 in the runtime's own
// resources). Its one connection is the session service over TCP/IP; while
// it is chosen, the games that answer on the local network and on this
// machine are listed by name and the list is refreshed every second. Every
// failure shows its message and returns the dialog to its starting state.
#include <windows.h>

#include <string>
#include <vector>

#include "net/netgame_dialog.h"
#include "platform/clock.h"

namespace {

using session::GameSession;
using session::SessionFinder;
using session::SessionListing;

enum : int {
    kDialog = 101,
    kCancel = 1011,
    kCreate = 1012,
    kNameBox = 1013,
    kGameList = 1014,
    kConnections = 1015,
};
constexpr UINT_PTR kRefreshTimer = 1;
constexpr uint32_t kForgetAfter = 2500; // ms without an answer before a game leaves the list

struct Seen {
    SessionListing game;
    uint32_t lastSeen;
};

struct DialogState {
    std::unique_ptr<GameSession>* session;
    std::unique_ptr<SessionFinder> finder;
    std::vector<Seen> seen;
    std::vector<SessionListing> listed; // in list box order
};

DialogState* stateOf(HWND dialog) { return reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void box(HWND dialog, const char* text, const char* caption) { MessageBoxA(dialog, text, caption, MB_OK); }

void enableGameControls(HWND dialog, bool on) {
    EnableWindow(GetDlgItem(dialog, kNameBox), on);
    EnableWindow(GetDlgItem(dialog, kCreate), on);
}

void showGames(HWND dialog, DialogState& state, const std::vector<SessionListing>& games) {
    HWND list = GetDlgItem(dialog, kGameList);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    state.listed = games;
    if (games.empty()) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("<no games found>"));
        EnableWindow(list, FALSE);
        return;
    }
    for (const SessionListing& g : games) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(g.name.c_str()));
    EnableWindow(list, TRUE);
}

// Session object closed, "<no connection>" chosen, list, name box and
// create button emptied and disabled.
void resetDialog(HWND dialog, DialogState& state) {
    KillTimer(dialog, kRefreshTimer);
    state.finder.reset();
    state.seen.clear();
    state.listed.clear();
    SendDlgItemMessageA(dialog, kConnections, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageA(dialog, kGameList, LB_RESETCONTENT, 0, 0);
    EnableWindow(GetDlgItem(dialog, kGameList), FALSE);
    SetDlgItemTextA(dialog, kNameBox, "");
    enableGameControls(dialog, false);
}

// Takes the answers to the last request, forgets games that stopped
// answering, shows the list when it changed and asks again.
void refresh(HWND dialog, DialogState& state) {
    uint32_t now = platform::milliSecs();
    for (const SessionListing& g : state.finder->collect()) {
        bool known = false;
        for (Seen& s : state.seen)
            if (s.game.ip == g.ip && s.game.tcpPort == g.tcpPort) {
                s.game = g;
                s.lastSeen = now;
                known = true;
            }
        if (!known) state.seen.push_back(Seen{g, now});
    }
    std::vector<SessionListing> games;
    for (size_t i = 0; i < state.seen.size();) {
        if (now - state.seen[i].lastSeen > kForgetAfter) {
            state.seen.erase(state.seen.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        games.push_back(state.seen[i++].game);
    }
    bool same = games.size() == state.listed.size() && !games.empty();
    for (size_t i = 0; same && i < games.size(); ++i)
        same = games[i].name == state.listed[i].name && games[i].ip == state.listed[i].ip &&
               games[i].tcpPort == state.listed[i].tcpPort;
    if (!same) showGames(dialog, state, games);
    if (!state.finder->ask(0xFFFFFFFF) || !state.finder->ask(0x7F000001)) {
        box(dialog, "Unable to enumerate sessions", "DirPlay Error");
        resetDialog(dialog, state);
    }
}

void chooseConnection(HWND dialog, DialogState& state) {
    LRESULT choice = SendDlgItemMessageA(dialog, kConnections, CB_GETCURSEL, 0, 0);
    if (choice <= 0) {
        resetDialog(dialog, state);
        return;
    }
    state.finder = std::make_unique<SessionFinder>();
    if (!state.finder->ask(0x7F000001)) {
        char name[128] = "";
        SendDlgItemMessageA(dialog, kConnections, CB_GETLBTEXT, static_cast<WPARAM>(choice), reinterpret_cast<LPARAM>(name));
        box(dialog, (std::string("Unable to open ") + name).c_str(), "DirPlay Error");
        resetDialog(dialog, state);
        return;
    }
    state.finder->ask(0xFFFFFFFF);
    showGames(dialog, state, {});
    enableGameControls(dialog, true);
    SetTimer(dialog, kRefreshTimer, 1000, nullptr);
}

void createGame(HWND dialog, DialogState& state) {
    char name[256] = "";
    GetDlgItemTextA(dialog, kNameBox, name, sizeof name);
    if (!name[0]) {
        box(dialog, "Please enter a name for the new game", "DirectPlay Request");
        return;
    }
    *state.session = GameSession::host(name);
    if (!*state.session) {
        box(dialog, "Unable to create new game", "DirPlay Error");
        resetDialog(dialog, state);
        return;
    }
    KillTimer(dialog, kRefreshTimer);
    EndDialog(dialog, 2);
}

void joinGame(HWND dialog, DialogState& state) {
    LRESULT index = SendDlgItemMessageA(dialog, kGameList, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= state.listed.size()) return;
    SessionListing game = state.listed[static_cast<size_t>(index)];
    *state.session = GameSession::joinAt(game.name, game.ip, game.tcpPort);
    if (!*state.session) {
        box(dialog, "Unable to join game", "DirPlay Error");
        resetDialog(dialog, state);
        return;
    }
    KillTimer(dialog, kRefreshTimer);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    DialogState* state = stateOf(dialog);
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        state = reinterpret_cast<DialogState*>(lparam);
        HWND connections = GetDlgItem(dialog, kConnections);
        SendMessageA(connections, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("<no connection>"));
        // The one connection: listed when a socket can be had for it.
        SessionFinder probe;
        if (probe.ask(0x7F000001))
            SendMessageA(connections, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("TCP/IP"));
        else
            box(dialog, "Failed to enumerate connections", "DirectPlay Error");
        resetDialog(dialog, *state);
        return TRUE;
    }
    case WM_TIMER:
        if (wparam == kRefreshTimer && state && state->finder) refresh(dialog, *state);
        return TRUE;
    case WM_COMMAND:
        if (!state) return FALSE;
        switch (LOWORD(wparam)) {
        case kConnections:
            if (HIWORD(wparam) == CBN_SELCHANGE) chooseConnection(dialog, *state);
            return TRUE;
        case kGameList:
            if (HIWORD(wparam) == LBN_DBLCLK) joinGame(dialog, *state);
            return TRUE;
        case kCreate: createGame(dialog, *state); return TRUE;
        case kCancel:
        case IDCANCEL:
            resetDialog(dialog, *state);
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

HINSTANCE runtimeInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&dialogProc), &module);
    return module;
}

} // namespace

int runNetGameDialog(std::unique_ptr<GameSession>& session) {
    DialogState state;
    state.session = &session;
    INT_PTR result = DialogBoxParamA(runtimeInstance(), MAKEINTRESOURCEA(kDialog), GetActiveWindow(), &dialogProc,
                                     reinterpret_cast<LPARAM>(&state));
    if (result != 1 && result != 2) {
        session.reset();
        return 0;
    }
    return static_cast<int>(result);
}
