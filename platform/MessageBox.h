#pragma once
#include <string>

// Modal notices to the user.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // An information box with one "OK" button; returns when it is closed.
    virtual void ShowInformation(const std::string& caption, const std::string& text) = 0;
    // The system's default beep.
    virtual void Beep() = 0;
};
