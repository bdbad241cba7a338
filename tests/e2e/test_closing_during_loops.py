"""A close that arrives while a menu, a dialog or a message box is up (taskkill
without /f, a log-off) ends korimba.exe cleanly: the close steps run, the
nested window goes away and the process exits."""

import unittest

from korimba_e2e import E2ETestCase

OPTIONS = b"No\r\nNo\r\nYes\r\n7\r\nNo\r\n"


class CloseDuringNestedLoopTest(E2ETestCase):
    def start_main(self):
        self.folder = self.program_folder()
        self.folder.write_text("message.txt", "Welcome\r\n")
        self.program = self.start_korimba(self.folder)
        self.main = self.program.window(cls="TForm1")
        return self.main

    def close_and_expect_a_clean_end(self, nested):
        self.main.close()
        self.assertEqual(self.program.wait_exit(timeout=10), 0)
        self.assertFalse(nested.exists, "the nested window went with the program")
        self.assertEqual(self.folder.read_bytes("options.ini"), OPTIONS)
        self.assertFalse(self.folder.exists("message.txt"))

    def test_system_menu(self):
        main = self.start_main()
        main.child(caption="      &System  ").click()
        menu = self.driver.wait_window({"pid": self.program.pid, "cls": "#32768",
                                        "visible": True})
        self.close_and_expect_a_clean_end(menu)

    def test_submenu_of_the_system_menu(self):
        main = self.start_main()
        main.child(caption="      &System  ").click()
        self.driver.wait_window({"pid": self.program.pid, "cls": "#32768", "visible": True})
        main.real_key("f")  # "&Fixations"
        submenu = self.driver.wait_window({"pid": self.program.pid, "cls": "#32768",
                                           "visible": True, "index": 1})
        self.close_and_expect_a_clean_end(submenu)

    def test_window_menu_of_the_title_bar(self):
        main = self.start_main()
        main.real_key("alt+space")
        menu = self.driver.wait_window({"pid": self.program.pid, "cls": "#32768",
                                        "visible": True})
        self.close_and_expect_a_clean_end(menu)

    def test_modal_dialog(self):
        main = self.start_main()
        main.child(caption="      &System  ").click()
        self.driver.wait_window({"pid": self.program.pid, "cls": "#32768", "visible": True})
        main.real_key("s")
        preferences = self.program.window(cls="TForm7")
        self.close_and_expect_a_clean_end(preferences)

    def test_open_file_dialog(self):
        main = self.start_main()
        main.child(caption="...").click()
        dialog = self.program.window(caption="Select an input file")
        self.close_and_expect_a_clean_end(dialog)

    def test_message_box(self):
        main = self.start_main()
        main.drop("D:\\Music\\notes.txt")
        box = self.program.message_box()
        self.close_and_expect_a_clean_end(box)

    def test_second_close_changes_nothing(self):
        main = self.start_main()
        main.close()
        main.close()
        self.assertEqual(self.program.wait_exit(timeout=10), 0)
        self.assertEqual(self.folder.read_bytes("options.ini"), OPTIONS)


if __name__ == "__main__":
    unittest.main()
