#pragma once
// Running out of file descriptors on purpose: while a NoFreeDescriptors
// lives, the soft limit of open files is the lowest free descriptor number,
// so the next socket, pipe or file the process opens fails with "too many
// open files" (EMFILE, WinSock's 10024). The limit comes back when it ends.
//
//   {
//       NoFreeDescriptors none;
//       ASSERT_TRUE(none.active());
//       c.PutAsync();              // the data socket cannot be made
//   }
//
// Under UndefinedBehaviorSanitizer ("make sanitize") the check of a
// polymorphic object's type opens a pipe the first time it meets the type,
// and takes an object it cannot check that way for a broken one. The socket
// layer's and the FTP client's exceptions, the objects such a test makes
// without descriptors, are therefore met once here before the descriptors go.

class NoFreeDescriptors {
public:
    NoFreeDescriptors();
    ~NoFreeDescriptors();
    NoFreeDescriptors(const NoFreeDescriptors&) = delete;
    NoFreeDescriptors& operator=(const NoFreeDescriptors&) = delete;

    // Whether the limit was lowered.
    bool active() const { return m_active; }

private:
    bool m_active = false;
    unsigned long long m_savedSoftLimit = 0;
};
