#!/usr/bin/env python3
"""Checks a built Sorelan.exe from its PE headers.

    check_exe.py EXE --machine i386|amd64 [--max-bytes N]

Fails (exit 1) unless the file is a GUI program for the given machine that
imports only system DLLs and carries icon group 101, tagged Korean, with one
32 x 32 image of 16 colours. Prints what it found, including the size.
"""

import argparse
import struct
import sys
from pathlib import Path

MACHINES = {'i386': (0x014C, 0x10B), 'amd64': (0x8664, 0x20B)}
SUBSYSTEM_WINDOWS_GUI = 2
SYSTEM_DLLS = {'KERNEL32.DLL', 'USER32.DLL', 'GDI32.DLL', 'WINMM.DLL', 'MSVCRT.DLL'}
RT_ICON, RT_GROUP_ICON = 3, 14
ICON_GROUP_ID = 101
LANG_KOREAN = 0x0412


class Pe:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from('<I', data, 0x3C)[0]
        if data[pe:pe + 4] != b'PE\0\0':
            raise ValueError('not a PE file')
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from('<HHIIIHH', data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from('<H', data, optional)[0]
        self.subsystem = struct.unpack_from('<H', data, optional + 68)[0]
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from('<II', data, directories + 8 * i) for i in range(16)]
        table = optional + optional_size
        self.sections = [struct.unpack_from('<8sIIII', data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for _, size, address, raw_size, raw_pointer in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw_pointer + rva - address
        raise ValueError(f'address {rva:#x} is in no section')

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b'\0', start)].decode('ascii')

    def imports(self):
        rva, _ = self.directories[1]
        names, at = [], self.offset(rva)
        while True:
            descriptor = struct.unpack_from('<IIIII', self.data, at)
            if not any(descriptor):
                return names
            names.append(self.string(descriptor[3]))
            at += 20

    def resources(self):
        """{(type, id, language): bytes} for resources with numeric names."""
        base_rva, _ = self.directories[2]
        if base_rva == 0:
            return {}
        base = self.offset(base_rva)
        found = {}

        def walk(offset, path):
            named, numbered = struct.unpack_from('<HH', self.data, base + offset + 12)
            for i in range(named + numbered):
                name, target = struct.unpack_from('<II', self.data, base + offset + 16 + 8 * i)
                key = path + (name,)
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, key)
                else:
                    rva, size = struct.unpack_from('<II', self.data, base + target)
                    start = self.offset(rva)
                    found[key] = self.data[start:start + size]

        walk(0, ())
        return found


def check(path, machine, max_bytes):
    data = Path(path).read_bytes()
    pe = Pe(data)
    problems = []
    want_machine, want_magic = MACHINES[machine]
    if (pe.machine, pe.magic) != (want_machine, want_magic):
        problems.append(f'machine {pe.machine:#06x} / magic {pe.magic:#05x}, expected {machine}')
    if pe.subsystem != SUBSYSTEM_WINDOWS_GUI:
        problems.append(f'subsystem {pe.subsystem}, expected Windows GUI (2)')

    imports = pe.imports()
    foreign = [name for name in imports if name.upper() not in SYSTEM_DLLS]
    if foreign:
        problems.append('imports DLLs that are not part of Windows: ' + ', '.join(foreign))

    resources = pe.resources()
    group = resources.get((RT_GROUP_ICON, ICON_GROUP_ID, LANG_KOREAN))
    icon = 'none'
    if group is None:
        problems.append('no icon group 101 tagged Korean; resources: ' + repr(sorted(resources)))
    else:
        _, kind, count = struct.unpack_from('<HHH', group, 0)
        entries = [struct.unpack_from('<BBBBHHIH', group, 6 + 14 * i) for i in range(count)]
        icon = ', '.join(f'{w or 256}x{h or 256} {c or "true"} colours' for w, h, c, *_ in entries)
        if kind != 1 or [(w, h, c) for w, h, c, *_ in entries] != [(32, 32, 16)]:
            problems.append(f'icon group 101 holds {icon}, expected one 32x32 image of 16 colours')
        for *_, image_id in entries:
            if (RT_ICON, image_id, LANG_KOREAN) not in resources:
                problems.append(f'icon image {image_id} of group 101 is missing')

    if max_bytes and len(data) > max_bytes:
        problems.append(f'{len(data)} bytes, over the budget of {max_bytes}')

    print(f'{path}: {machine}, {"GUI" if pe.subsystem == 2 else pe.subsystem}, '
          f'{len(data)} bytes ({len(data) / 1024:.1f} KiB)')
    print(f'  imports: {", ".join(imports)}')
    print(f'  icon group 101: {icon}')
    for problem in problems:
        print(f'  FAIL: {problem}')
    return not problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('exe')
    parser.add_argument('--machine', choices=sorted(MACHINES), required=True)
    parser.add_argument('--max-bytes', type=int, default=0)
    args = parser.parse_args()
    return 0 if check(args.exe, args.machine, args.max_bytes) else 1


if __name__ == '__main__':
    sys.exit(main())
