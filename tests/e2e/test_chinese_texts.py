"""Commands run with the module in Chinese (ChineseVersion = 1): the texts a Chinese user reads and the files a
Chinese system writes. Each row is a script, the files it needs, and what the run must (and must not) print."""
import unittest

from curvix_run import CurvixRun

PICTURE_FILTER = "Open file (*.bmp;*.jpg;*.jpeg;*.png;*.gif): "

CASES = [
    # A coordinate file saved in the national encoding (GBK bytes): full-width separators and the rejected line's
    # Chinese text read as written.
    ("ZB2PL\n;@file \"gbk.txt\"\n;@msgbox ok\n",
     {"gbk.txt": "0,0\n10，0\n10；10\n坐标 5,,6\n\n".encode("gb18030")},
     ["[坐标 5,,6]", "添加了< 1>条多段线。"], ["\ufffd"]),
    # The picture dialogs' file filter: one pattern list (the blanks and the "||" ending are not patterns), and
    # a picture that cannot be loaded reported with the system's own text.
    ("txwk\n;@file \"bad.png\"\n;@dialog click 4004\n;@dialog cancel\n",
     {"bad.png": b"not a picture"},
     [PICTURE_FILTER + "bad.png", "GetLastError: ", " -- Load image Error：", "bad.png"], ["载入图像错误"]),
    ("R2V\n;@file \"\"\n;@dialog click 4004\n;@dialog cancel\n", {},
     [PICTURE_FILTER + "\n", "未选中图像文件！"], [" ,"]),
]


class ChineseTexts(CurvixRun):
    def test_commands_print_their_chinese_texts(self):
        with open(self.registry, "w", encoding="utf-8") as f:
            f.write("Windows Registry Editor Version 5.00\n\n"
                    "[HKEY_CURRENT_USER\\Software\\Tarnwick\\Curvix]\n"
                    "\"ChineseVersion\"=dword:00000001\n")
        for script, files, expected, unexpected in CASES:
            with self.subTest(script=script.split("\n")[0]):
                for name, data in files.items():
                    with open(self.path(name), "wb") as f:
                        f.write(data)
                printed = self.output(script)
                for text in expected:
                    self.assertIn(text, printed)
                for text in unexpected:
                    self.assertNotIn(text, printed)


if __name__ == "__main__":
    unittest.main()
