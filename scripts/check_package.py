#!/usr/bin/env python3
"""Makes the release ZIP of a Windows build with CPack and checks what a user
gets: the program, its asset folders and the text on starting it, nothing
else; the program in it is the built one and passes the executable checks.

    check_package.py BUILD_DIR --machine i386|amd64 [--max-bytes N]
"""

import argparse
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from check_exe import check  # noqa: E402

EXPECTED = {'Sorelan.exe', 'Cursor/Busy.ani', 'Sound/Sound.wav', 'README.txt'}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('build_dir')
    parser.add_argument('--machine', required=True)
    parser.add_argument('--max-bytes', type=int, default=0)
    args = parser.parse_args()
    build = Path(args.build_dir)

    with tempfile.TemporaryDirectory() as out:
        subprocess.run(['cpack', '--config', str(build / 'CPackConfig.cmake'), '-B', out],
                       check=True, stdout=subprocess.DEVNULL)
        packages = list(Path(out).glob('*.zip'))
        if len(packages) != 1:
            print(f'FAIL: expected one ZIP, got {packages}')
            return 1
        with zipfile.ZipFile(packages[0]) as package:
            files = {info.filename: info for info in package.infolist() if not info.is_dir()}
            top = {name.split('/', 1)[0] for name in files}
            inside = {name.split('/', 1)[1] for name in files}
            print(f'{packages[0].name}: ' + ', '.join(f'{n} ({files[n].file_size} bytes)'
                                                       for n in sorted(files)))
            ok = True
            if len(top) != 1 or inside != EXPECTED:
                print(f'FAIL: expected one folder holding {sorted(EXPECTED)}, got {sorted(files)}')
                return 1
            root = top.pop()
            exe = package.read(f'{root}/Sorelan.exe')
            if exe != (build / 'shell' / 'Sorelan.exe').read_bytes():
                print('FAIL: the packaged Sorelan.exe is not the built one')
                ok = False
            for asset in ('Cursor/Busy.ani', 'Sound/Sound.wav'):
                source = Path(__file__).resolve().parent.parent / asset
                if package.read(f'{root}/{asset}') != source.read_bytes():
                    print(f'FAIL: the packaged {asset} differs from the source tree')
                    ok = False
            extracted = Path(out) / 'Sorelan.exe'
            extracted.write_bytes(exe)
            ok = check(str(extracted), args.machine, args.max_bytes) and ok
    return 0 if ok else 1


if __name__ == '__main__':
    sys.exit(main())
