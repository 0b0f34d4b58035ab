#!/usr/bin/env python3
"""varnoth-report end to end: its JSON against varnoth-bench --dump on
realistic logs, its CSV read back by Python's csv module, its HTML opened in
headless Chromium, its text columns, and its exit statuses and messages.

Usage: report_test.py CASE   (the programs come from VARNOTH_BENCH and VARNOTH_REPORT)
"""
import csv, gzip, html, io, json, os, pty, re, shutil, signal, subprocess, sys, tempfile, time, unicodedata, unittest

BENCH = os.environ["VARNOTH_BENCH"]
REPORT = os.environ["VARNOTH_REPORT"]
ENV = dict(os.environ, LC_ALL="C.UTF-8")


def run(*args):
    return subprocess.run([REPORT, *args], stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=ENV)


def report_json(*args):
    done = run("--format", "json", *args)
    assert done.returncode == 0, done.stderr
    return json.loads(done.stdout)


def line(path, nick, size, duration, when="2003-06-14 21:05"):
    return f"{when}: {path} uploaded to {nick}, {size} ({size}), 10.00 KiB/s, {duration}\r\n"


# Nicks and paths with what CSV, HTML and terminals treat specially.
HOSTILE_LOG = (
    line("C:\\share\\a, \"b\"; c.avi", 'Comma, "Quote"; Semi', 1500000, "0:01:00")
    + line("C:\\share\\<b>bold</b>.avi", "<script>alert(1)</script>", 3000000, "0:02:00", "2003-06-15 08:10")
    + line("D:\\日本\\ひかり.mp3", "ひかり", 2500000, "0:00:30")
    + line("D:\\日本\\ひかり.mp3", "Zoë & <i>Co</i>", 2500000, "0:00:30", "2003-06-16 23:59")
    + line("MyList.bz2", "ひかり", 5210, "0:00:01")
)


def seconds(hms):
    return sum(int(part) * unit for part, unit in zip(hms.split(":"), (3600, 60, 1)))


def read_some(fd):
    """What a terminal's master side holds next; empty at the end (Linux says EIO)."""
    try:
        return os.read(fd, 65536)
    except OSError:
        return b""


def shown_rows(report):
    """The lists of a JSON report as the window's grids show their cells (files without the trailing blank)."""
    return {"downloaders": [[d["nick"], str(d["uploads"]), "%.2f" % d["megabytes"], d["upload_time"]]
                            for d in report["downloaders"]],
            "files": [[f["file"], str(f["uploads"])] for f in report["files"]],
            "folders": [[f["folder"], str(f["accesses"])] for f in report["folders"]]}


def caption_numbers(caption):
    return [float(n) for n in re.findall(r"\d*\.?\d+", caption.split(":", 1)[1])]


class ReportTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.dir)

    def write(self, name, content):
        path = os.path.join(self.dir, name)
        with open(path, "w", encoding="utf-8", newline="") as f:
            f.write(content)
        return path

    def generated(self, name, lines, *shape):
        """A log written by varnoth-bench --generate LINES FILE DOWNLOADERS FILES FOLDERS SEED."""
        path = os.path.join(self.dir, name)
        subprocess.run([BENCH, "--generate", str(lines), path, *map(str, shape)], check=True)
        return path

    def bench(self, *args):
        return json.loads(subprocess.run([BENCH, *args], stdout=subprocess.PIPE, env=ENV, check=True).stdout)

    def assert_matches_dump(self, log, *options):
        """The command's JSON holds the same lists and figures as the window shows."""
        got = report_json(*options, log)
        dump = self.bench(*options, "--dump", log)
        self.assertEqual(got["log"], log)
        rows = shown_rows(got)
        self.assertEqual([rows["downloaders"], [[f + " ", n] for f, n in rows["files"]], rows["folders"]],
                         [dump["grid1"], dump["grid2"], dump["grid3"]])
        self.assertEqual([d["upload_seconds"] for d in got["downloaders"]], [seconds(r[3]) for r in dump["grid1"]])
        self.assertEqual(got["activity"], self.bench(*options, "--activity", log))

        s, labels = got["summary"], {k: caption_numbers(v) for k, v in dump["labels"].items()}
        self.assertEqual([s["total_uploads"], s["total_uploaders"], s["different_files"], s["different_folders"]],
                         [labels[k][0] for k in ("Label1", "Label4", "Label7", "Label12")])
        for field, label in [("average_uploads_per_person", "Label6"), ("average_accesses_per_folder", "Label13"),
                             ("average_uploads_per_file", "Label10"), ("average_upload_seconds_per_file", "Label16"),
                             ("average_megabytes_per_person", "Label17"), ("average_filesize_mb", "Label19")]:
            self.assertEqual(s[field], labels[label][0], field)
        size = labels["Label11"][0] * (1000 if dump["labels"]["Label11"].endswith(" GB") else 1)
        self.assertAlmostEqual(s["total_megabytes"], size, places=6)
        h, m, sec = labels["Label14"]
        self.assertEqual(s["total_upload_seconds"], h * 3600 + m * 60 + sec)
        h, m, sec = labels["Label18"]
        self.assertAlmostEqual(s["average_upload_seconds_per_person"], h * 3600 + m * 60 + sec, places=6)
        speed = dump["labels"]["Label15"]
        self.assertEqual(s["average_speed_mb_per_second"], None if speed.endswith("n/a") else labels["Label15"][0])
        return got

    def test_json_matches_dump(self):
        big = self.generated("big.log", 20000, 300, 5000, 400, 3)
        whole = self.assert_matches_dump(big)
        self.assertIsNone(whole["range"])
        narrowed = self.assert_matches_dump(big, "--from", "2003-01-05", "--to", "2003-01-09", "--threads", "2")
        self.assertEqual(narrowed["range"], {"from": "2003-01-05", "to": "2003-01-09"})
        self.assertLess(narrowed["summary"]["total_uploads"], whole["summary"]["total_uploads"])
        self.assertEqual(report_json("--from", "2003-01-05", big)["range"], {"from": "2003-01-05", "to": None})
        top = report_json("--top", "7", big)
        self.assertEqual([top[k] for k in shown_rows(top)], [whole[k][:7] for k in shown_rows(top)])
        # Below 10000 MB, and a run whose uploads took no time (speed n/a).
        self.assert_matches_dump(self.write("hostile.log", HOSTILE_LOG))
        still = self.assert_matches_dump(self.write("still.log", line("C:\\a\\b.txt", "Bob", 5, "0:00:00")))
        self.assertIsNone(still["summary"]["average_speed_mb_per_second"])

    def test_csv_reads_back(self):
        log = self.write("hostile.log", HOSTILE_LOG)
        whole = report_json(log)
        expected = {"downloaders": whole["downloaders"], "files": whole["files"], "folders": whole["folders"],
                    "days": whole["activity"]["days"], "hours": whole["activity"]["hours"]}
        for name, rows in expected.items():
            done = run("--format", "csv", "--list", name, log)
            self.assertEqual(done.returncode, 0, done.stderr)
            self.assertTrue(done.stdout.endswith(b"\r\n"))
            records = list(csv.reader(io.StringIO(done.stdout.decode("utf-8"), newline="")))
            self.assertEqual(records[0], list(rows[0].keys()), name)
            self.assertEqual(records[1:], [[str(v) for v in row.values()] for row in rows], name)
        nicks = [r[0] for r in csv.reader(io.StringIO(run("--format", "csv", log).stdout.decode(), newline=""))]
        self.assertIn('Comma, "Quote"; Semi', nicks)
        # The default list is downloaders, cut by --top.
        self.assertEqual(run("--format", "csv", "--top", "1", log).stdout.count(b"\r\n"), 2)
        # A nick that a spreadsheet would run is guarded, unless --csv-raw asks for the exact text.
        formula = self.write("formula.log", line("C:\\a\\b.txt", "=1+2", 5, "0:00:01"))
        self.assertIn(b"\r\n'=1+2,", run("--format", "csv", formula).stdout)
        self.assertIn(b"\r\n=1+2,", run("--format", "csv", "--csv-raw", formula).stdout)

    def test_html_in_browser(self):
        log = self.write("hostile.log", HOSTILE_LOG)
        page = os.path.join(self.dir, "report.html")
        self.assertEqual(run("--format", "html", "--from", "2003-06-14", "--output", page, log).returncode, 0)
        browser = subprocess.run(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
             "--disable-component-update", "--disable-sync", "--no-first-run",
             "--user-data-dir=" + os.path.join(self.dir, "profile"), "--dump-dom", "file://" + page],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=120)
        dom = browser.stdout.decode("utf-8")
        tables = dom_tables(dom)
        whole = report_json("--from", "2003-06-14", log)
        self.assertIn("<title>Varnoth report: hostile.log, from 2003-06-14 on</title>", dom)
        self.assertEqual({k: tables[k][1:] for k in shown_rows(whole)}, shown_rows(whole))
        self.assertEqual(tables["downloaders"][0], ["Name:", "Uploads:", "Mbytes:", "Upload Time:"])
        self.assertIn("<li>Busiest hour : ", dom)
        self.assertEqual(len(re.findall(r"<li>", dom)), 14 + 3)  # the summary, busiest day and hour, days
        self.assertNotIn("<script", dom)  # the nick <script>... stays text
        self.assertEqual((dom.count("<svg"), dom.count("<rect") > 24), (2, True))

    def test_text_columns(self):
        log = self.write("hostile.log", HOSTILE_LOG + line("C:\\x\\y.txt", "Esc\x1b[31mRed", 1, "0:00:01"))
        text = run(log).stdout.decode("utf-8")
        self.assertTrue(text.startswith("Total Uploads :  6\n") and "\x1b" not in text)
        block = text.split("\n\n")[1].split("\n")[1:]  # the downloaders, under their title
        width = lambda s: sum(0 if unicodedata.combining(c) else 2 if unicodedata.east_asian_width(c) in "WF" else 1
                              for c in s)
        # The last column is aligned right: every line of the list, wide
        # characters and all, ends at the same display column.
        self.assertEqual(len({width(row) for row in block}), 1, block)
        self.assertTrue(any("ひかり" in row for row in block))

    def test_exit_statuses_and_messages(self):
        missing = os.path.join(self.dir, "missing.log")
        done = run(missing)
        self.assertEqual((done.returncode, done.stdout, done.stderr.decode()),
                         (1, b"", f"varnoth-report: {missing}: No such file or directory\n"))
        corrupted = self.write("bad.log", line("C:\\a\\b.txt", "Bob", 5, "0:00:01") + "no upload here\r\n")
        out = self.write("kept.json", "old")
        done = run("--format", "json", "--output", out, corrupted)
        self.assertEqual((done.returncode, done.stderr.decode()),
                         (1, f"varnoth-report: {corrupted}: Corrupted data found at line 2. Quitting...\n"))
        with open(out) as f:
            self.assertEqual(f.read(), "old")  # nothing is lost when the run fails
        good = self.write("ok.log", line("C:\\a\\b.txt", "Bob", 5, "0:00:01"))
        done = run("--output", os.path.join(self.dir, "no", "folder.txt"), good)
        self.assertEqual((done.returncode, done.stderr.decode()),
                         (1, f"varnoth-report: {self.dir}/no/folder.txt: No such file or directory\n"))
        for args in [[], ["-", "-"], ["--follow", "1", good], ["--follow", "0", "--output", out, good],
                     ["--follow", "1", "--output", "-", good], ["--follow", "1", "--output", out, "-"],
                     ["--format", "xml", good], ["--top", "0", good], ["--top", good],
                     ["--list", "files", good], ["--threads", "x", good], ["--from", "2003-02-29", good],
                     ["--from", "2003-06-02", "--to", "2003-06-01", good], ["--bogus", good], ["--csv-raw", good],
                     ["--format", "csv", "--csv-raw=1", good], ["--format", "\x1b[31mred\x07", good]]:
            done = run(*args)
            self.assertEqual(done.returncode, 2, args)
            self.assertTrue(done.stderr.decode().endswith("Try 'varnoth-report --help' for more information.\n"))
            self.assertNotRegex(done.stderr.decode(), "[\x00-\x09\x0b-\x1f\x7f]", args)  # nothing drives the terminal
            self.assertEqual(done.stdout, b"")
        # A path is shown by the same rule; the log itself is never the output.
        done = run(os.path.join(self.dir, "\x1b]0;title\x07\u202e.log"))
        self.assertEqual(done.stderr.decode(),
                         f"varnoth-report: {self.dir}/\u241b]0;title\u2407\ufffd.log: No such file or directory\n")
        done = run("--output", good, good)
        self.assertEqual((done.returncode, done.stderr.decode()), (1, f"varnoth-report: {good}: is the log being read\n"))
        self.assertTrue(open(good).read().startswith("2003-06-14"))
        self.assertEqual(run("--output", "/dev/stdout", good).stdout, run(good).stdout)
        self.assertEqual(run("--help").returncode, 0)
        # Written whole to a file; a progress bar on standard error only when it is a terminal.
        done = run("--output", out, good)
        self.assertEqual((done.returncode, done.stdout, done.stderr), (0, b"", b""))
        with open(out, encoding="utf-8") as f:
            self.assertTrue(f.read().startswith("Total Uploads :  1\n"))
        self.assertEqual(sorted(os.listdir(self.dir)), ["bad.log", "kept.json", "ok.log"])
        master, slave = pty.openpty()
        done = subprocess.run([REPORT, good], stdout=subprocess.PIPE, stderr=slave, env=ENV)
        os.close(slave)
        drawn = b""
        while chunk := read_some(master):
            drawn += chunk
        os.close(master)
        self.assertEqual(done.returncode, 0)
        self.assertIn(b"Reading uploads [", drawn)
        self.assertIn(b"100 %", drawn)


    def test_several_logs_and_streams(self):
        whole = self.generated("whole.log", 30000, 300, 5000, 400, 5)
        with open(whole, "rb") as f:
            lines = f.read().splitlines(keepends=True)
        parts = [b"".join(lines[:9000]), b"".join(lines[9000:21000]), b"".join(lines[21000:])]
        a, b, c = (os.path.join(self.dir, n) for n in ("a.log", "b.log.gz", "c.log"))
        with open(a, "wb") as f:
            f.write(parts[0])
        with gzip.open(b, "wb") as f:
            f.write(parts[1])
        with open(c, "wb") as f:
            f.write(parts[2])
        expected = report_json(whole)
        without_names = lambda r: {k: v for k, v in r.items() if k not in ("log", "logs")}
        joined = report_json(a, b, c)
        self.assertEqual((joined["log"], joined["logs"]), (a, [a, b, c]))
        self.assertEqual(without_names(joined), without_names(expected))
        self.assertEqual(expected["logs"], [whole])
        # Standard input is read once, by name or as -; the results are the file's.
        for name in ("-", "/dev/stdin"):
            with open(whole, "rb") as f:
                done = subprocess.run([REPORT, "--format", "json", name], stdin=f, stdout=subprocess.PIPE, env=ENV)
            self.assertEqual(without_names(json.loads(done.stdout)), without_names(expected), name)
        # A corrupted line is named by its log and its line there.
        with gzip.open(b, "wb") as f:
            f.write(parts[1][:5000] + b"not an upload\r\n" + parts[1][5000:])
        done = run(a, b, c)
        line_number = parts[1][:5000].count(b"\n") + 1
        self.assertEqual((done.returncode, done.stderr.decode()),
                         (1, f"varnoth-report: {b}: Corrupted data found at line {line_number}. Quitting...\n"))
        # A compressed log cut short cannot be read; a device without line breaks ends at once.
        with open(b, "r+b") as f:
            f.truncate(2000)
        done = run(a, b)
        self.assertEqual((done.returncode, done.stderr.decode()),
                         (1, f"varnoth-report: {b}: The compressed log ends early\n"))
        done = subprocess.run([REPORT, "/dev/zero"], stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=ENV, timeout=20)
        self.assertEqual((done.returncode, done.stderr.decode()),
                         (1, "varnoth-report: /dev/zero: Corrupted data found at line 1. Quitting...\n"))
        # A pipe that no program writes to gives nothing: SIGINT still ends the wait at once.
        fifo = os.path.join(self.dir, "pipe")
        os.mkfifo(fifo)
        waiting = subprocess.Popen([REPORT, fifo], stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=ENV)
        time.sleep(0.5)
        self.assertIsNone(waiting.poll())
        waiting.send_signal(signal.SIGINT)
        self.assertEqual(waiting.wait(timeout=5), 130)

    def test_signal_after_the_read(self):
        # SIGINT while the report is being written: the output stops short, exit 130.
        log = self.generated("many.log", 20000, 50, 20000, 100, 9)
        whole = subprocess.run([REPORT, "--format", "json", log], stdout=subprocess.PIPE, env=ENV, check=True).stdout
        writing = subprocess.Popen([REPORT, "--format", "json", log], stdout=subprocess.PIPE, env=ENV)
        first = writing.stdout.read(1)  # the read is over; the full pipe holds the writer back
        time.sleep(0.3)
        writing.send_signal(signal.SIGINT)
        shown = first + writing.stdout.read()
        self.assertEqual(writing.wait(timeout=10), 130)
        self.assertLess(len(shown), len(whole))
        # An output FIFO that no program reads: a second SIGINT ends the wait for it.
        fifo = os.path.join(self.dir, "out-pipe")
        os.mkfifo(fifo)
        waiting = subprocess.Popen([REPORT, "--output", fifo, log], stderr=subprocess.PIPE, env=ENV)
        time.sleep(1)
        waiting.send_signal(signal.SIGINT)
        time.sleep(0.3)
        self.assertIsNone(waiting.poll())
        waiting.send_signal(signal.SIGINT)
        self.assertEqual(waiting.wait(timeout=5), -signal.SIGINT)

    def test_follow(self):
        log = self.write("live.log", line("C:\\a\\b.txt", "Bob", 5, "0:00:01"))
        out = os.path.join(self.dir, "live.json")
        follower = subprocess.Popen([REPORT, "--follow", "1", "--format", "json", "--output", out, log], env=ENV,
                                    stderr=subprocess.PIPE)
        uploads = lambda: json.load(open(out))["summary"]["total_uploads"] if os.path.exists(out) else 0
        wait_for = lambda want: any(uploads() == want or time.sleep(0.1) for _ in range(100))
        self.assertTrue(wait_for(1))
        with open(log, "a", encoding="utf-8", newline="") as f:
            f.write(line("C:\\a\\c.txt", "Ann", 5, "0:00:01") + line("C:\\a\\c.txt", "Bob", 5, "0:00:01")[:20])
        self.assertTrue(wait_for(2))  # the half-written line waits for its end
        with open(log, "a", encoding="utf-8", newline="") as f:
            f.write(line("C:\\a\\c.txt", "Bob", 5, "0:00:01")[20:])
        self.assertTrue(wait_for(3))
        self.assertEqual(json.load(open(out))["logs"], [log])
        follower.send_signal(signal.SIGINT)
        self.assertEqual(follower.wait(timeout=10), 0)
        self.assertEqual(follower.stderr.read(), b"")
        # The page of a followed log reloads itself.
        page = os.path.join(self.dir, "live.html")
        follower = subprocess.Popen([REPORT, "--follow", "7", "--format", "html", "--output", page, log], env=ENV)
        self.assertTrue(any(os.path.exists(page) or time.sleep(0.1) for _ in range(100)))
        follower.send_signal(signal.SIGTERM)
        self.assertEqual(follower.wait(timeout=10), 0)
        self.assertIn('<meta http-equiv="refresh" content="7">', open(page, encoding="utf-8").read())


def dom_tables(dom):
    """The cell texts of each section's table rows, by the section's id."""
    cells = lambda row: [html.unescape(re.sub(r"<[^>]*>", "", c)) for c in re.findall(r"<t[dh][^>]*>(.*?)</t[dh]>", row)]
    return {section: [cells(row) for row in re.findall(r"<tr>(.*?)</tr>", body, re.S)]
            for section, body in re.findall(r'<section id="(\w+)">(.*?)</section>', dom, re.S)}


if __name__ == "__main__":
    case = sys.argv[1]
    result = unittest.TextTestRunner(verbosity=2).run(ReportTest("test_" + case))
    sys.exit(0 if result.wasSuccessful() else 1)
