"""Folders made read-only for everyone, root included, whom permissions do not
stop: by a read-only bind mount of the folder onto itself, else by the
immutable flag."""

import os
import subprocess

from korimba_e2e import wait_until


def run(*command):
    return subprocess.run(command, capture_output=True).returncode == 0


def _read_only_mount(host):
    """The folder mounted read-only onto itself; False when that cannot be done."""
    if not run("mount", "--bind", host, host):
        return False
    if run("mount", "-o", "remount,bind,ro", host):
        return True
    run("umount", host)
    return False


class ReadOnlyFolders:
    """A mixin for E2ETestCase."""

    def make_read_only(self, host):
        """Makes the folder read-only until the test's cleanup, which first ends
        the programs that hold it open."""
        if os.geteuid() != 0:
            self.skipTest("making a folder read-only for root needs root")
        host = str(host)
        if _read_only_mount(host):
            self.addCleanup(self._unmount, host)
        elif run("chattr", "+i", host):
            self.addCleanup(self._mutable_again, host)
        else:
            self.skipTest("neither a read-only bind mount nor chattr +i works here")
        with self.assertRaises(OSError, msg="%s is still writable" % host):
            open(os.path.join(host, "written by root.tmp"), "wb").close()

    def _unmount(self, host):
        # A running program's image may be mapped from the folder: unmounting it
        # before the program has ended would fail as busy.
        self.end_programs()
        wait_until(lambda: run("umount", host), 10, message="%s unmounted" % host,
                   seen=lambda: "umount still fails")

    def _mutable_again(self, host):
        self.end_programs()
        self.assertTrue(run("chattr", "-i", host), "chattr -i " + host)
