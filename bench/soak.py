#!/usr/bin/env python3
"""Soak run of the real player: a play list of short generated files in all-repeat, the
analyzer cycling through its modes from the settings panel, Next pressed now and then,
hand-offs from second starts now and then. After every pass over the list it records the
player's resident memory, open descriptors and threads, and at the end judges their growth.

Needs an X display (run it through bench/soak.sh or xvfb-run), xdotool, ffmpeg and lame.
Exit status: 0 when the player stayed up and nothing grew beyond the limits, 1 otherwise.
"""
import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

AUDIO_KINDS = ["wav", "mp3", "flac", "ogg", "m4a"]
VIDEO_KINDS = ["avi", "mpg"]


def log(message):
    print(message, flush=True)


def run_quiet(command, **kwargs):
    return subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kwargs)


def make_templates(folder, seconds):
    """One file of each kind that ffmpeg and lame can make here; returns {kind: path}."""
    tone = ["-f", "lavfi", "-i", f"sine=frequency=440:sample_rate=44100:duration={seconds}"]
    # MPEG-1 video takes only the standard frame rates.
    video = ["-f", "lavfi", "-i", f"testsrc=size=160x120:rate=25:duration={seconds}"]
    recipes = {
        "wav": ["ffmpeg", "-y", *tone, "-ac", "2", "-c:a", "pcm_s16le"],
        "flac": ["ffmpeg", "-y", *tone, "-c:a", "flac"],
        "ogg": ["ffmpeg", "-y", *tone, "-c:a", "libvorbis"],
        "m4a": ["ffmpeg", "-y", *tone, "-c:a", "aac"],
        "avi": ["ffmpeg", "-y", *video, *tone, "-c:v", "mpeg4", "-c:a", "pcm_s16le", "-shortest"],
        "mpg": ["ffmpeg", "-y", *video, *tone, "-c:v", "mpeg1video", "-c:a", "mp2", "-shortest"],
    }
    made = {}
    for kind, command in recipes.items():
        path = os.path.join(folder, "template." + kind)
        if run_quiet(command + [path]).returncode == 0 and os.path.getsize(path) > 0:
            made[kind] = path
    if "wav" in made:
        path = os.path.join(folder, "template.mp3")
        if run_quiet(["lame", "--quiet", "-b", "128", made["wav"], path]).returncode == 0:
            made["mp3"] = path
    return made


def make_play_list(folder, count, seconds, kinds):
    """count files cycling through the kinds made here; about one in ten is a video."""
    templates = {k: v for k, v in make_templates(folder, seconds).items() if k in kinds}
    audio = [k for k in AUDIO_KINDS if k in templates]
    video = [k for k in VIDEO_KINDS if k in templates]
    if not audio:
        sys.exit("soak: ffmpeg made no audio file")
    files = []
    for i in range(count):
        kinds = video if video and i % 10 == 9 else audio
        kind = kinds[(i // 10 if kinds is video else i) % len(kinds)]
        path = os.path.join(folder, f"f{i:03d}.{kind}")
        shutil.copyfile(templates[kind], path)
        files.append(path)
    return files, sorted(set(audio + video))


def write_settings(folder):
    # All-repeat play mode, list hidden, oscilloscope, both channels, position at the corner.
    lines = ["Mode = 4", "List = 0", "VSA = 1", "Channel = 0", "Fast = 0", "Large = 0",
             "TimeRange = 10", "WindowFunction = 1", "FFTNormal = 1", "FFTFast = 2", "0", "0"]
    with open(os.path.join(folder, "lumo.ini"), "w", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))


def LeakReports(output):
    """The leak reports that count against the player (every direct leak left after the
    suppressions, and indirect ones whose stack shows the player's sources: a lost tree of Qt
    objects is all indirect) and the other ones. A stack whose every frame past the allocator
    lies in no module comes from a library unloaded before the check (Mesa's software GL
    driver, unloaded when the display closes after a video): no suppression can name it, and
    the player's own code is never unloaded."""
    own, foreign = [], []
    for report in re.split(r"\n(?=(?:Direct|Indirect) leak of )", output)[1:]:
        report = report.split("\n\n")[0]
        frames = re.findall(r"^\s+#\d+ .*$", report, re.M)[1:]
        unloaded = bool(frames) and all("(<unknown module>)" in f for f in frames)
        if unloaded:
            foreign.append(report)
        elif report.startswith("Direct") or re.search(r"\.\./(player|specify)/", report):
            own.append(report)
        else:
            foreign.append(report)
    return own, foreign


def status_value(pid, key):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    return 0


def open_media(pid, media):
    """The play list files the process holds open now."""
    names = set()
    try:
        for fd in os.listdir(f"/proc/{pid}/fd"):
            try:
                target = os.readlink(f"/proc/{pid}/fd/{fd}")
            except OSError:
                continue
            if target in media:
                names.add(target)
    except OSError:
        pass
    return names


def sample(pid, media):
    fds = os.listdir(f"/proc/{pid}/fd")
    held = len(open_media(pid, media))
    return {"rss_kb": status_value(pid, "VmRSS"), "fds": len(fds) - held,
            "threads": status_value(pid, "Threads")}


def save_descriptors(pid, path):
    """What each open descriptor points at, kept with a run's files to tell a leak from a
    descriptor that is only held for a while."""
    lines = []
    try:
        for fd in sorted(os.listdir(f"/proc/{pid}/fd"), key=int):
            try:
                lines.append(f"{fd} {os.readlink(f'/proc/{pid}/fd/{fd}')}")
            except OSError:
                pass
    except OSError:
        return
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def record_stall(pid, folder):
    """Keeps the stalled player's thread stacks and the screen for a look afterwards."""
    if shutil.which("gdb"):
        with open(os.path.join(folder, "stall-stacks.txt"), "w") as f:
            run_quiet_to(["gdb", "-p", str(pid), "-batch", "-ex", "thread apply all bt"], f)
    if shutil.which("import"):
        run_quiet(["import", "-window", "root", os.path.join(folder, "stall.png")])


def run_quiet_to(command, out):
    subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, timeout=120)


class X:
    """The player's windows, driven through xdotool."""

    def __init__(self, pid):
        self.pid = pid
        self.main = None

    def windows(self, name):
        result = subprocess.run(["xdotool", "search", "--all", "--pid", str(self.pid),
                                 "--onlyvisible", "--name", name],
                                capture_output=True, text=True)
        return [w for w in result.stdout.split()]

    def find_main(self, timeout):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            for w in self.windows("."):
                if "VSA" not in self.name_of(w):
                    self.main = w
                    return True
            time.sleep(0.5)
        return False

    def name_of(self, window):
        return subprocess.run(["xdotool", "getwindowname", window], capture_output=True,
                              text=True).stdout.strip()

    def key(self, keys):
        if self.main:
            run_quiet(["xdotool", "windowfocus", "--sync", self.main])
            run_quiet(["xdotool", "key", "--clearmodifiers", keys])

    def panel(self):
        found = self.windows("VSA設定パネル")
        return found[0] if found else None

    def choose_mode(self, mode):
        """Clicks the mode's picture in the settings panel, opening the panel (F6) first."""
        panel = self.panel()
        if not panel:
            self.key("F6")
            time.sleep(1.0)
            panel = self.panel()
            if not panel:
                return False
        # The mode pictures: 720 x 540 twips each from x = 120, in the strip at y = 600.
        x = (120 + 720 * mode + 360) // 15
        y = (600 + 270) // 15
        run_quiet(["xdotool", "mousemove", "--window", panel, str(x), str(y), "click", "1"])
        return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--player", required=True, help="the built Lumo program")
    parser.add_argument("--files", type=int, default=200)
    parser.add_argument("--opens", type=int, default=1000)
    parser.add_argument("--seconds", type=float, default=1.0, help="length of each file")
    parser.add_argument("--kinds", default=",".join(AUDIO_KINDS + VIDEO_KINDS),
                        help="file kinds in the list, comma-separated")
    parser.add_argument("--next-share", type=int, default=3,
                        help="of every 4 opens, how many are cut short with Next")
    parser.add_argument("--handoff-every", type=int, default=40)
    parser.add_argument("--mode-every", type=float, default=6.0, help="seconds between modes")
    parser.add_argument("--open-timeout", type=float, default=60.0)
    parser.add_argument("--rss-limit-mb", type=float, default=10.0)
    parser.add_argument("--keep", action="store_true", help="keep the scratch folder")
    parser.add_argument("--leak-check", metavar="SUPPRESSIONS",
                        help="for a sanitizer build: leak detection on, with these suppressions")
    parser.add_argument("--table", help="also write the table to this file")
    parser.add_argument("--leaks-only", action="store_true",
                        help="judge leaks and the player staying up, not growth (sanitizer"
                             " builds hold freed memory back, and short passes are noisy)")
    args = parser.parse_args()

    scratch = tempfile.mkdtemp(prefix="lumo-soak.")
    result = soak(args, scratch)
    # A failed run keeps its files (the player's output, stacks of a stall) for a look.
    if args.keep or result != 0:
        log(f"soak: files kept in {scratch}")
    else:
        shutil.rmtree(scratch, ignore_errors=True)
    return result


def soak(args, scratch):
    media_dir = os.path.join(scratch, "media")
    bin_dir = os.path.join(scratch, "bin")
    run_dir = os.path.join(scratch, "run")
    for d in (media_dir, bin_dir, run_dir):
        os.makedirs(d, mode=0o700)
    files, kinds = make_play_list(media_dir, args.files, args.seconds, args.kinds.split(","))
    media = set(files)
    log(f"soak: {len(files)} files ({', '.join(kinds)}), {args.seconds} s each, in {scratch}")

    # The program and its modules in a folder of their own, so that lumo.ini is read there.
    source_bin = os.path.dirname(os.path.abspath(args.player))
    for name in os.listdir(source_bin):
        if name == "Lumo" or name.endswith(".so"):
            shutil.copy2(os.path.join(source_bin, name), bin_dir)
    player = os.path.join(bin_dir, "Lumo")
    write_settings(bin_dir)

    env = dict(os.environ)
    env["XDG_RUNTIME_DIR"] = run_dir  # a hand-off channel of its own
    env["XDG_CONFIG_HOME"] = os.path.join(scratch, "config")
    env.setdefault("QT_LOGGING_RULES", "qt.multimedia*=false")
    if args.leak_check:
        # The fast stacks: whole ones (fast_unwind_on_malloc=0) make the run many times slower
        # and deadlock against the code the llvmpipe renderer compiles at run time.
        env["ASAN_OPTIONS"] = "detect_leaks=1"
        # Qt's own event loop instead of GLib's, so that no stack of the player's code passes
        # through GLib, which the suppressions name.
        env["QT_NO_GLIB"] = "1"
        symbolizer = shutil.which("llvm-symbolizer") or "/usr/lib/llvm-14/bin/llvm-symbolizer"
        if os.path.exists(symbolizer):
            env["ASAN_SYMBOLIZER_PATH"] = symbolizer
        # The leak report is judged here (LeakReports), not by the exit status.
        env["LSAN_OPTIONS"] = (f"suppressions={os.path.abspath(args.leak_check)}"
                               ":print_suppressions=0:exitcode=0")
        env["UBSAN_OPTIONS"] = "print_stacktrace=1"
    player_log = open(os.path.join(scratch, "player.log"), "w")
    process = subprocess.Popen([player] + files, env=env, stdout=player_log,
                               stderr=subprocess.STDOUT)
    pid = process.pid
    x = X(pid)
    if not x.find_main(args.open_timeout):
        log("soak: the player shows no window")
    rows = []
    opens = 0
    failures = []
    held = set()
    last_open = time.monotonic()
    opened_at = time.monotonic()
    cut_this = False
    next_mode_at = time.monotonic() + 2
    next_sample_at = time.monotonic()
    mode = 0
    pass_peak = {"fds": 0, "threads": 0}
    pass_samples = []
    start = time.monotonic()
    try:
        while opens < args.opens:
            if process.poll() is not None:
                failures.append(f"the player ended (status {process.returncode}) after {opens} opens")
                break
            now = time.monotonic()
            current = open_media(pid, media)
            fresh = current - held
            held = current
            if fresh:
                opens += 1
                last_open = opened_at = now
                cut_this = opens % 4 < args.next_share
                s = sample(pid, media)
                pass_peak = {k: max(pass_peak[k], s[k]) for k in pass_peak}
                pass_samples.append(s)
                if opens % args.files == 0 or opens == 1:
                    row = dict(s, opens=opens, seconds=round(now - start),
                               peak_fds=pass_peak["fds"], peak_threads=pass_peak["threads"],
                               least_fds=min(x["fds"] for x in pass_samples),
                               least_threads=min(x["threads"] for x in pass_samples))
                    rows.append(row)
                    save_descriptors(pid, os.path.join(scratch, f"fds-{opens:05d}.txt"))
                    pass_peak = {"fds": 0, "threads": 0}
                    pass_samples = []
                    log(f"  opens {opens:5d}  {now - start:6.0f} s  RSS {s['rss_kb'] / 1024:7.1f} MB"
                        f"  fds {s['fds']:3d} (least {row['least_fds']}, peak {row['peak_fds']})"
                        f"  threads {s['threads']:3d} (least {row['least_threads']},"
                        f" peak {row['peak_threads']})")
                if opens % args.handoff_every == 0:
                    # A second start hands its file over to the running player and ends.
                    second = subprocess.run([player, files[opens % len(files)]], env=env,
                                            stdout=player_log, stderr=subprocess.STDOUT,
                                            timeout=args.open_timeout)
                    if second.returncode != 0:
                        failures.append(f"a second start ended with status {second.returncode}")
            if cut_this and held and now - opened_at > 0.3:
                x.key("ctrl+Down")
                cut_this = False
            if now >= next_mode_at:
                mode = mode % 6 + 1
                x.choose_mode(mode)
                next_mode_at = now + args.mode_every
            if now - last_open > args.open_timeout:
                failures.append(f"no file opened for {args.open_timeout:.0f} s after {opens} opens"
                                f" (stacks and screen in {scratch})")
                record_stall(pid, scratch)
                break
            # Between opens too, twice a second: the least of a pass is then the settled level,
            # not the level at the moment a new medium's pipeline joins the one it replaces.
            if now >= next_sample_at:
                try:
                    pass_samples.append(sample(pid, media))
                except OSError:
                    pass
                next_sample_at = now + 0.5
            time.sleep(0.05)
    finally:
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(timeout=args.open_timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
                failures.append("the player did not end on SIGTERM")
        player_log.close()

    if process.returncode not in (0, -signal.SIGTERM) and not failures:
        failures.append(f"the player ended with status {process.returncode}")
    with open(os.path.join(scratch, "player.log"), errors="replace") as f:
        output = f.read()
    if "ERROR: AddressSanitizer" in output or "runtime error:" in output:
        failures.append("the sanitizers reported:\n" + output[-6000:])
    own, foreign = LeakReports(output)
    if foreign:
        log(f"soak: {len(foreign)} leak reports of libraries (indirect ones hanging off"
            " suppressed library leaks, or from a library unloaded before the check), not counted")
    if own:
        failures.append("leaks of the player's own:\n" + "\n".join(own)[:8000])

    # Descriptors and threads over each pass (at every open and twice a second): at the pass's
    # end, the least (what stays), and the most seen (a pipeline being torn down adds some for a
    # moment).
    table = ["| pass | opens | time (s) | RSS (MB) | descriptors end/least/peak |"
             " threads end/least/peak |",
             "|---|---|---|---|---|---|"]
    for i, r in enumerate(rows):
        table.append(f"| {i} | {r['opens']} | {r['seconds']} | {r['rss_kb'] / 1024:.1f} | "
                     f"{r['fds']}/{r['least_fds']}/{r['peak_fds']} | "
                     f"{r['threads']}/{r['least_threads']}/{r['peak_threads']} |")
    log("\n".join(table))
    if args.table:
        with open(args.table, "w") as f:
            f.write("\n".join(table) + "\n")

    # Growth after the first pass (row 1 is the end of the first pass).
    if len(rows) >= 3 and not args.leaks_only:
        first, last = rows[1], rows[-1]
        growth = (last["rss_kb"] - first["rss_kb"]) / 1024
        log(f"soak: RSS grew {growth:.1f} MB after the first pass")
        if growth >= args.rss_limit_mb:
            failures.append(f"resident memory grew {growth:.1f} MB")
        # A leaked descriptor or thread stays: it raises the least seen in a pass. The first
        # pass holds the start, before the engine's threads exist, so the second is the base.
        base = 2 if len(rows) >= 4 else 1
        if max(r["least_fds"] for r in rows[base + 1:]) > rows[base]["least_fds"]:
            failures.append("descriptors grew")
        if max(r["least_threads"] for r in rows[base + 1:]) > rows[base]["least_threads"]:
            failures.append("threads grew")
    log(f"soak: {opens} opens")
    for failure in failures:
        log("soak: FAIL " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
