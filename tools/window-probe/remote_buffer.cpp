#include "remote_buffer.h"

#include <vector>

namespace window_probe {

RemoteBuffer::RemoteBuffer(HWND window, std::size_t size) {
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id);
    if (process_) {
        address_ =
            VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
}

RemoteBuffer::~RemoteBuffer() {
    if (address_) {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    if (process_) {
        CloseHandle(process_);
    }
}

bool RemoteBuffer::write(const void* data, std::size_t size, std::size_t offset) const {
    SIZE_T written = 0;
    return WriteProcessMemory(process_, at(offset), data, size, &written) && written == size;
}

std::string RemoteBuffer::read_text(std::size_t offset, std::size_t size) const {
    std::vector<char> text(size + 1, '\0');
    SIZE_T read = 0;
    if (!ReadProcessMemory(process_, at(offset), text.data(), size, &read)) {
        return {};
    }
    return text.data();
}

}  // namespace window_probe
