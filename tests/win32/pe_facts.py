"""What a Windows program file holds, read from its own structures rather than
from a tool's report, whose wording and layout change between releases: one
fact a line, "name value", for the checks of check_exe.sh to compare.

usage: pe_facts.py PROGRAM.exe
"""
import struct
import sys
import xml.etree.ElementTree as ElementTree

MACHINES = {0x14C: "x86", 0x8664: "amd64"}
RT_ICON, RT_VERSION, RT_MANIFEST = 3, 16, 24


class Program:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        machine, sections, _, self.symbol_table, self.symbols, optional_size = struct.unpack_from(
            "<HHIIIH", data, pe + 4)
        self.machine = MACHINES.get(machine, hex(machine))
        optional = pe + 24
        wide = struct.unpack_from("<H", data, optional)[0] == 0x20B
        directories = optional + (112 if wide else 96)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        self.wide = wide
        self.sections = []
        for i in range(sections):
            at = optional + optional_size + 40 * i
            name = data[at:at + 8].rstrip(b"\0").decode("latin-1")
            size, address, raw_size, raw = struct.unpack_from("<IIII", data, at + 8)
            self.sections.append((name, address, max(size, raw_size), raw))

    def at(self, address):
        for _, start, size, raw in self.sections:
            if start <= address < start + size:
                return raw + address - start
        raise ValueError("address %#x in no section" % address)

    def text(self, address):
        offset = self.at(address)
        return self.data[offset:self.data.index(b"\0", offset)].decode("latin-1")

    def imports(self):
        address = self.directories[1][0]
        entry_size, ordinal_bit = (8, 1 << 63) if self.wide else (4, 1 << 31)
        while address:
            lookup, _, _, name, thunks = struct.unpack_from("<IIIII", self.data, self.at(address))
            if name == 0:
                break
            entry = lookup or thunks
            while True:
                value = struct.unpack_from("<Q" if self.wide else "<I", self.data, self.at(entry))[0]
                if value == 0:
                    break
                yield self.text(name).upper(), ("#%d" % (value & 0xFFFF) if value & ordinal_bit
                                                else self.text((value & 0x7FFFFFFF) + 2))
                entry += entry_size
            address += 20

    def resources(self):
        """(type, name, data) of every resource, types and names as numbers or texts."""
        root = self.at(self.directories[2][0])

        def entries(offset):
            named, numbered = struct.unpack_from("<HH", self.data, offset + 12)
            for i in range(named + numbered):
                key, target = struct.unpack_from("<II", self.data, offset + 16 + 8 * i)
                if key & 0x80000000:
                    at = root + (key & 0x7FFFFFFF)
                    length = struct.unpack_from("<H", self.data, at)[0]
                    key = self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
                yield key, target

        for kind, names in entries(root):
            for name, languages in entries(root + (names & 0x7FFFFFFF)):
                for _, leaf in entries(root + (languages & 0x7FFFFFFF)):
                    address, size = struct.unpack_from("<II", self.data, root + leaf)
                    yield kind, name, self.data[self.at(address):self.at(address) + size]


def icon_size(image):
    if image.startswith(b"\x89PNG"):
        return struct.unpack_from(">I", image, 16)[0]
    return struct.unpack_from("<i", image, 4)[0]  # a bitmap header: size, width, height


def version_facts(block):
    fixed = block.find(struct.pack("<I", 0xFEEF04BD))
    ms, ls = struct.unpack_from("<II", block, fixed + 8)
    yield "version", "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    marker = "Translation".encode("utf-16-le") + b"\0\0"
    at = block.find(marker)
    if at >= 0:
        at = (at + len(marker) + 3) & ~3
        language, code_page = struct.unpack_from("<HH", block, at)
        yield "translation", "%04x %d" % (language, code_page)


def manifest_facts(text):
    root = ElementTree.fromstring(text)
    for element in root.iter():
        tag = element.tag.split("}")[-1]
        if tag == "assemblyIdentity" and element.get("name") == "Microsoft.Windows.Common-Controls":
            yield "manifest-common-controls", element.get("version")
        elif tag == "assemblyIdentity":
            yield "manifest-architecture", element.get("processorArchitecture")
        elif tag == "supportedOS":
            yield "manifest-supported-os", element.get("Id")
        elif tag in ("dpiAware", "dpiAwareness"):
            yield "manifest-" + tag, (element.text or "").strip()
        elif tag == "requestedExecutionLevel":
            yield "manifest-execution-level", element.get("level")


def facts(data):
    program = Program(data)
    yield "machine", program.machine
    yield "symbols", program.symbols if program.symbol_table else 0
    for name, *_ in program.sections:
        yield "section", name
    for dll, function in program.imports():
        yield "import", "%s %s" % (dll, function)
    for kind, _, resource in program.resources():
        if kind == RT_ICON:
            yield "icon", icon_size(resource)
        elif kind == RT_VERSION:
            yield from version_facts(resource)
        elif kind == RT_MANIFEST:
            yield from manifest_facts(resource.decode("utf-8-sig"))


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as program_file:
        for key, value in facts(program_file.read()):
            print(key, value)
