#include "link/ui/port_dialog.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

#include "link/port_name.h"
#include "resources/resource.h"
#include "win32/dialog_procedure.h"

namespace tessmar {
namespace {

// Where the port chosen last is kept from one run to the next.
constexpr char kSettingsKey[] = "Software\\Tessmar";
constexpr char kPortValue[] = "Port";

bool same_port(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// Windows lists every serial port it has, USB adapters and cradles included, as a value of this
// key whose data is the port's name. A name that does not fit is no port to open.
std::vector<std::string> serial_ports_of_machine() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS) {
        return {};
    }
    std::vector<std::string> ports;
    for (DWORD index = 0;; ++index) {
        std::array<char, 256> device{};
        DWORD device_length = static_cast<DWORD>(device.size());
        std::array<char, 64> port{};
        // One byte kept back: the data need not end with its terminator.
        DWORD port_size = static_cast<DWORD>(port.size() - 1);
        DWORD type = 0;
        const LONG result = RegEnumValueA(key, index, device.data(), &device_length, nullptr, &type,
                                          reinterpret_cast<BYTE*>(port.data()), &port_size);
        // A name or data too long for the buffers is no port of ours; any other error (no more
        // items among them) ends the list, where going on would ask again for ever.
        if (result == ERROR_MORE_DATA) {
            continue;
        }
        if (result != ERROR_SUCCESS) {
            break;
        }
        if (type == REG_SZ) {
            ports.emplace_back(port.data());
        }
    }
    RegCloseKey(key);
    return ports;
}

void remember_port(const std::string& port) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return;  // the next run offers COM1 again
    }
    RegSetValueExA(key, kPortValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(port.c_str()),
                   static_cast<DWORD>(port.size() + 1));
    RegCloseKey(key);
}

std::string remembered_port() {
    std::array<char, 64> port{};
    DWORD size = static_cast<DWORD>(port.size());
    if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, kPortValue, RRF_RT_REG_SZ, nullptr,
                     port.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    return port.data();
}

// Takes `port` as the choice: an entry of the table by its index, any other by its name.
void choose(PortChoice& choice, const std::string& port) {
    for (int index = 0; index < kPortCount; ++index) {
        if (same_port(port, kPortNames[index])) {
            choice.selected_port_index = index;
            choice.other_port.clear();
            return;
        }
    }
    choice.other_port = port;
}

// The ports offered, and the choice the dialog shows and changes.
struct PortDialogRun {
    PortChoice& choice;
    std::vector<std::string> ports;
};

// The port chosen last, or the table's entry when that port is gone (an adapter unplugged).
int entry_of_choice(const PortDialogRun& run) {
    const std::string& other = run.choice.other_port;
    const auto found = std::find_if(
        run.ports.begin() + kPortCount, run.ports.end(),
        [&other](const std::string& port) { return !other.empty() && same_port(port, other); });
    return found != run.ports.end() ? static_cast<int>(found - run.ports.begin())
                                    : run.choice.selected_port_index;
}

BOOL on_init_dialog(HWND dialog, PortDialogRun& run) {
    HWND list = GetDlgItem(dialog, IDC_COM_PORT);
    for (const std::string& name : run.ports) {
        ComboBox_AddString(list, name.c_str());
    }
    ComboBox_SetCurSel(list, entry_of_choice(run));
    return TRUE;
}

bool on_command(HWND dialog, PortDialogRun& run, int id, UINT) {
    switch (id) {
        case IDOK: {
            const int chosen = ComboBox_GetCurSel(GetDlgItem(dialog, IDC_COM_PORT));
            // Without a selection there is no port to open.
            if (chosen >= 0 && chosen < static_cast<int>(run.ports.size())) {
                const std::string& port = run.ports[static_cast<std::size_t>(chosen)];
                choose(run.choice, port);
                remember_port(port);
                EndDialog(dialog, 1);
            }
            return true;
        }
        case IDCANCEL:
            EndDialog(dialog, 0);
            return true;
    }
    return false;
}

constexpr DialogHandlers<PortDialogRun> kHandlers = {.init = on_init_dialog, .command = on_command};

}  // namespace

std::vector<std::string> offered_ports() {
    std::vector<std::string> ports(std::begin(kPortNames), std::end(kPortNames));
    for (std::string& port : ports_beyond(serial_ports_of_machine(), kPortNames)) {
        ports.push_back(std::move(port));
    }
    return ports;
}

std::string chosen_port(const PortChoice& choice) {
    return choice.other_port.empty() ? kPortNames[choice.selected_port_index] : choice.other_port;
}

bool choose_com_port(HINSTANCE instance, HWND owner, PortChoice& choice) {
    PortDialogRun run{choice, offered_ports()};
    return run_modal_dialog<PortDialogRun, kHandlers>(instance, "ComSettingDlg", owner, run) == 1;
}

void recall_chosen_port(PortChoice& choice) {
    if (const std::string port = remembered_port(); !port.empty()) {
        choose(choice, port);
    }
}

}  // namespace tessmar
