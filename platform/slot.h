#pragma once
// Substitutable platform services.
//
// Each service of the operating system is a class whose virtual operations
// call the real system (the Win32 half under platform/win32/, the POSIX
// stand-in under platform/posix/). The program reaches a service only
// through its accessor, which answers the instance currently installed in
// the service's slot: the real one, or a substitute that a test derived from
// it and installed for its own lifetime with x_Substitute. The program's
// logic never knows which one it talks to.

namespace platform {

template <class Service>
class x_Slot {
public:
    static Service& current() { return *installed(); }

    static Service* install(Service* service) {
        Service* previous = installed();
        installed() = service;
        return previous;
    }

private:
    static Service*& installed() {
        static Service real;
        static Service* active = &real;
        return active;
    }
};

// Installs a substitute for as long as it lives; restores the previous one.
template <class Service>
class x_Substitute {
public:
    explicit x_Substitute(Service& substitute) : previous_(x_Slot<Service>::install(&substitute)) {}
    ~x_Substitute() { x_Slot<Service>::install(previous_); }
    x_Substitute(const x_Substitute&) = delete;
    x_Substitute& operator=(const x_Substitute&) = delete;

private:
    Service* previous_;
};

}  // namespace platform
