// Watches what a program puts on an X screen, for bench/run. It sleeps on X events instead of
// polling: the Damage extension reports every drawing into the watched window.
//
//   screen_probe first-frame [--settle-ms N] [--list-paints] PROGRAM [ARGUMENT...]
//     Starts PROGRAM and times it from exec until its window shows its finished first frame.
//     After each drawing the window's pixels are copied; once the window has stayed unchanged
//     for the settling time (default 1500 ms) its pixels are the finished frame, and the
//     start-up time is when the first copy equal to them was in hand: at most one copy of the
//     window after the frame reached the screen, the same for any program. Prints
//     first_frame_ms, first_paint_ms, paints, and rss_kb and cpu_ms once settled.
//
//   screen_probe paints [--quiet-ms N] [--timeout-ms N] --pid PID WINDOW
//     Prints "ready" once it watches WINDOW, then waits for the first drawing into it and
//     on until it has stayed unchanged for the quiet time (default 700 ms). Prints, counted
//     from "ready": last_paint_ms, the number of drawings and the pixels they covered, and the
//     processor time that PID used meanwhile (cpu_ms) as a share of one core until the last
//     drawing (cpu_percent).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Windows can vanish between an event and the request that follows it; such errors are expected.
int IgnoreXError(Display* /*display*/, XErrorEvent* /*error*/) {
  return 0;
}

struct Frame {
  double atMs = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // rows of width x 4 bytes

  bool SameAs(const Frame& other) const {
    return width == other.width && height == other.height && pixels == other.pixels;
  }
};

std::optional<Frame> CopyWindow(Display* display, Window window) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) {
    return std::nullopt;
  }
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return std::nullopt;
  Frame frame{0, attributes.width, attributes.height, {}};
  const auto rowBytes = static_cast<std::size_t>(attributes.width) * 4;
  if (image->bits_per_pixel == 32) {
    frame.pixels.resize(rowBytes * static_cast<std::size_t>(attributes.height));
    for (int y = 0; y < attributes.height; ++y) {
      std::memcpy(frame.pixels.data() + static_cast<std::size_t>(y) * rowBytes,
                  image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line, rowBytes);
    }
  }
  XDestroyImage(image);
  if (frame.pixels.empty()) return std::nullopt;
  return frame;
}

std::optional<unsigned long> WindowPid(Display* display, Window window) {
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
  if (pidAtom == None) return std::nullopt;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) != Success) {
    return std::nullopt;
  }
  std::optional<unsigned long> pid;
  if (data != nullptr && count == 1 && format == 32) {
    pid = *reinterpret_cast<unsigned long*>(data);
  }
  if (data != nullptr) XFree(data);
  return pid;
}

long ResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

// Time that the process's threads have spent on a processor, in milliseconds, to the
// nanosecond (the scheduler's own account; /proc/PID/stat counts whole clock ticks).
double CpuMs(pid_t pid) {
  const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
  std::error_code error;
  double totalNs = 0;
  for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
    std::ifstream schedstat(task.path() / "schedstat");
    double runNs = 0;
    if (schedstat >> runNs) totalNs += runNs;
  }
  return totalNs / 1e6;
}

// Hands X events to `handle` until the time that `deadlineMs` gives, asked again after every
// wait, has come.
template <typename Handle, typename Deadline>
void RunEvents(Display* display, Handle handle, Deadline deadlineMs) {
  const int connection = XConnectionNumber(display);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event{};
      XNextEvent(display, &event);
      handle(event);
    }
    const double now = NowMs();
    const double deadline = deadlineMs();
    if (now >= deadline) return;
    pollfd wait{connection, POLLIN, 0};
    poll(&wait, 1, static_cast<int>(deadline - now) + 1);
  }
}

struct Connection {
  Display* display = nullptr;
  int damageEvents = 0;
};

std::optional<Connection> Connect() {
  Connection c;
  c.display = XOpenDisplay(nullptr);
  if (c.display == nullptr) {
    std::fputs("screen_probe: cannot open the display\n", stderr);
    return std::nullopt;
  }
  XSetErrorHandler(IgnoreXError);
  int damageErrors = 0;
  if (!XDamageQueryExtension(c.display, &c.damageEvents, &damageErrors)) {
    std::fputs("screen_probe: the X server has no Damage extension\n", stderr);
    return std::nullopt;
  }
  return c;
}

int Usage() {
  std::fputs(
      "usage: screen_probe first-frame [--settle-ms N] [--list-paints] PROGRAM [ARGUMENT...]\n"
      "       screen_probe paints [--quiet-ms N] [--timeout-ms N] --pid PID WINDOW\n",
      stderr);
  return 2;
}

int FirstFrame(int argc, char* argv[]) {
  int settleMs = 1500;
  bool listPaints = false;
  int first = 0;
  for (; first < argc && argv[first][0] == '-'; ++first) {
    if (std::strcmp(argv[first], "--settle-ms") == 0 && first + 1 < argc) {
      settleMs = std::atoi(argv[++first]);
    } else if (std::strcmp(argv[first], "--list-paints") == 0) {
      listPaints = true;
    } else {
      return Usage();
    }
  }
  if (first >= argc || settleMs <= 0) return Usage();
  const std::optional<Connection> c = Connect();
  if (!c) return 1;
  Display* display = c->display;
  XSelectInput(display, XDefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const double startMs = NowMs();
  const pid_t child = fork();
  if (child < 0) return 1;
  if (child == 0) {
    execvp(argv[first], argv + first);
    std::perror("screen_probe: exec");
    _exit(127);
  }

  // Every new top-level window is watched; only those of the child count.
  std::map<Window, bool> ours;
  std::vector<Frame> frames;
  double firstPaintMs = -1;
  double lastPaintMs = -1;
  Window shown = None;
  bool ended = false;
  constexpr double kGiveUpMs = 30000;
  RunEvents(
      display,
      [&](XEvent& event) {
        if (event.type == CreateNotify && !event.xcreatewindow.override_redirect) {
          XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == c->damageEvents + XDamageNotify) {
          const auto& notify = *reinterpret_cast<XDamageNotifyEvent*>(&event);
          const Window w = notify.drawable;
          if (!ours.count(w)) {
            const auto pid = WindowPid(display, w);
            ours[w] = pid && *pid == static_cast<unsigned long>(child);
          }
          if (!ours[w]) return;
          XDamageSubtract(display, notify.damage, None, None);
          const double atMs = NowMs() - startMs;
          if (std::optional<Frame> frame = CopyWindow(display, w)) {
            frame->atMs = NowMs() - startMs;  // the frame was on screen by now at the latest
            if (firstPaintMs < 0) firstPaintMs = atMs;
            lastPaintMs = atMs;
            shown = w;
            frames.push_back(std::move(*frame));
          }
        }
      },
      [&] {
        if (!ended && waitpid(child, nullptr, WNOHANG) == child) ended = true;
        if (ended) return 0.0;
        return startMs + (lastPaintMs < 0 ? kGiveUpMs : lastPaintMs + settleMs);
      });
  if (ended) {
    std::fputs("screen_probe: the program ended before its window settled\n", stderr);
    return 1;
  }

  const long rssKb = ResidentKb(child);
  const double cpuMs = CpuMs(child);
  std::optional<Frame> settled = shown == None ? std::nullopt : CopyWindow(display, shown);
  if (settled) settled->atMs = NowMs() - startMs;
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  if (!settled) {
    std::fputs("screen_probe: no window of the program was drawn\n", stderr);
    return 1;
  }
  double firstFrameMs = settled->atMs;
  for (auto frame = frames.rbegin(); frame != frames.rend() && frame->SameAs(*settled); ++frame) {
    firstFrameMs = frame->atMs;
  }
  if (listPaints) {
    for (const Frame& frame : frames) {
      std::fprintf(stderr, "  %.1f ms: %dx%d%s\n", frame.atMs, frame.width, frame.height,
                   frame.SameAs(*settled) ? " finished" : "");
    }
  }
  std::printf("first_frame_ms=%.1f first_paint_ms=%.1f paints=%zu rss_kb=%ld cpu_ms=%.1f\n",
              firstFrameMs, firstPaintMs, frames.size(), rssKb, cpuMs);
  XCloseDisplay(display);
  return 0;
}

int Paints(int argc, char* argv[]) {
  int quietMs = 700;
  int timeoutMs = 10000;
  long pid = 0;
  int at = 0;
  for (; at + 1 < argc && argv[at][0] == '-'; at += 2) {
    const int value = std::atoi(argv[at + 1]);
    if (std::strcmp(argv[at], "--quiet-ms") == 0) {
      quietMs = value;
    } else if (std::strcmp(argv[at], "--timeout-ms") == 0) {
      timeoutMs = value;
    } else if (std::strcmp(argv[at], "--pid") == 0) {
      pid = value;
    } else {
      return Usage();
    }
  }
  if (at + 1 != argc || pid <= 0 || quietMs <= 0 || timeoutMs <= 0) return Usage();
  const Window window = std::strtoul(argv[at], nullptr, 0);
  const std::optional<Connection> c = Connect();
  if (!c) return 1;
  Display* display = c->display;
  XDamageCreate(display, window, XDamageReportRawRectangles);
  XSync(display, False);
  // A new damage object reports the whole window once; that is no drawing.
  while (XPending(display) > 0) {
    XEvent event{};
    XNextEvent(display, &event);
  }

  const double startMs = NowMs();
  const double cpuBefore = CpuMs(static_cast<pid_t>(pid));
  std::puts("ready");
  std::fflush(stdout);
  double lastPaintMs = -1;
  long paints = 0;
  long long pixels = 0;
  RunEvents(
      display,
      [&](XEvent& event) {
        if (event.type != c->damageEvents + XDamageNotify) return;
        const auto& notify = *reinterpret_cast<XDamageNotifyEvent*>(&event);
        lastPaintMs = NowMs() - startMs;
        ++paints;
        pixels += static_cast<long long>(notify.area.width) * notify.area.height;
      },
      [&] { return startMs + (lastPaintMs < 0 ? timeoutMs : lastPaintMs + quietMs); });
  const double cpuMs = CpuMs(static_cast<pid_t>(pid)) - cpuBefore;
  if (lastPaintMs <= 0) {
    std::fputs("screen_probe: nothing was drawn into the window\n", stderr);
    return 1;
  }
  std::printf("last_paint_ms=%.1f paints=%ld pixels=%lld cpu_ms=%.1f cpu_percent=%.2f\n",
              lastPaintMs, paints, pixels, cpuMs, 100.0 * cpuMs / lastPaintMs);
  XCloseDisplay(display);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc >= 2 && std::strcmp(argv[1], "first-frame") == 0) return FirstFrame(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "paints") == 0) return Paints(argc - 2, argv + 2);
  return Usage();
}
