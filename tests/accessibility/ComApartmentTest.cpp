// The COM state of the host's thread: whatever the host made of it (nothing, a single-threaded
// apartment, the multi-threaded one by default or by choice), a screen reader can read the pop-up,
// and after the pop-up the thread is as the host left it.
#include "accessibility/AccessTestSupport.h"
#include "accessibility/PopupRuns.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

using namespace accesstest;
using popuptest::IsFullyOut;

// Another thread of the process in the multi-threaded apartment for the object's lifetime: the
// host's thread is then in it by default.
class MultiThreadedElsewhere
{
public:
    MultiThreadedElsewhere()
        : m_thread([this] {
              CoInitializeEx(nullptr, COINIT_MULTITHREADED);
              SetEvent(m_ready);
              WaitForSingleObject(m_done, INFINITE);
              CoUninitialize();
          })
    {
        WaitForSingleObject(m_ready, INFINITE);
    }
    ~MultiThreadedElsewhere()
    {
        SetEvent(m_done);
        m_thread.join();
        CloseHandle(m_ready);
        CloseHandle(m_done);
    }
    MultiThreadedElsewhere(const MultiThreadedElsewhere&) = delete;
    MultiThreadedElsewhere& operator=(const MultiThreadedElsewhere&) = delete;

private:
    HANDLE m_ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE m_done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread m_thread;
};

enum class HostCom
{
    None,
    SingleThreaded,
    MultiThreadedByDefault,
    MultiThreaded,
};

struct ApartmentCase
{
    const char* label;
    HostCom host;
    const char* before;          // and after the pop-up
    const char* whileRead;       // once a screen reader has read the pop-up
    HRESULT readerOnOtherThread;  // what a reader on another thread (multi-threaded) gets
};

class HostThreadCom : public EnglishPopupTest
{
};

TEST_F(HostThreadCom, AScreenReaderReadsThePopupAndTheThreadIsLeftAsTheHostMadeIt)
{
    const ApartmentCase cases[] = {
        {"no COM", HostCom::None, "none", "STA", S_OK},
        {"single-threaded", HostCom::SingleThreaded, "STA", "STA", S_OK},
        {"multi-threaded by default", HostCom::MultiThreadedByDefault, "implicit MTA", "STA", S_OK},
        // The host chose the multi-threaded apartment for its window's thread: calls from other
        // threads are not carried to the window's, and are refused.
        {"multi-threaded", HostCom::MultiThreaded, "MTA", "MTA", RPC_E_WRONG_THREAD},
    };
    for (const ApartmentCase& c : cases)
    {
        SCOPED_TRACE(c.label);
        std::unique_ptr<MultiThreadedElsewhere> elsewhere;
        if (c.host == HostCom::MultiThreadedByDefault)
            elsewhere = std::make_unique<MultiThreadedElsewhere>();
        if (c.host == HostCom::SingleThreaded)
        {
            ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        }
        if (c.host == HostCom::MultiThreaded)
        {
            ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        }
        ASSERT_EQ(ApartmentOfThisThread(), c.before);

        std::string whileRead;
        LONG role = -1;
        std::atomic<bool> otherDone{false};
        HRESULT other = E_UNEXPECTED;
        std::thread reader;
        {
            TrayExports library;
            ASSERT_TRUE(library.Complete());
            const long answer = RunPopup(library, kShutdownWarning, [&](HWND popup) {
                if (!IsFullyOut(popup))
                    return false;
                if (role == -1)
                {
                    ComRef<IAccessible> alert = AccessibleOf(popup);
                    role = alert ? RoleOf(alert.Get()) : -2;
                    whileRead = ApartmentOfThisThread();
                    reader = std::thread([&, popup] {
                        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
                        {
                            ComRef<IAccessible> object = AccessibleOf(popup);
                            VARIANT number;
                            VariantInit(&number);
                            other = object ? object->get_accRole(Self(), &number) : E_NOINTERFACE;
                        }
                        CoUninitialize();
                        otherDone = true;
                    });
                    return false;
                }
                if (!otherDone)
                    return false;
                popuptest::PostCommand(popup, 1382);
                return true;
            });
            reader.join();
            EXPECT_EQ(answer, 0);
        }
        EXPECT_EQ(role, ROLE_SYSTEM_ALERT);
        EXPECT_EQ(whileRead, c.whileRead);
        EXPECT_EQ(other, c.readerOnOtherThread);
        EXPECT_EQ(ApartmentOfThisThread(), c.before) << "the pop-up left the thread's COM changed";

        if (c.host == HostCom::SingleThreaded || c.host == HostCom::MultiThreaded)
            CoUninitialize();
        elsewhere.reset();
        EXPECT_EQ(ApartmentOfThisThread(), "none") << "an initialisation of the library's was left over";
        // The host can still make the thread what it likes.
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        CoUninitialize();
    }
}

} // namespace
