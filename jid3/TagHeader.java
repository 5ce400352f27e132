package jid3;

/** The ten bytes that open a tag: "ID3", version, flags and the size of what follows. */
final class TagHeader {
    static final int LENGTH = 10;

    private static final int UNSYNCHRONISED = 0x80;
    private static final int EXTENDED_HEADER = 0x40;
    private static final int VERSION_2_COMPRESSED = 0x40;
    private static final int FOOTER = 0x10;
    /** Flag bits each version defines, indexed by major version. */
    private static final int[] KNOWN_FLAGS = {0, 0, 0xC0, 0xE0, 0xF0};

    /** The major version: 2, 3 or 4. */
    final int version;
    final int flags;
    /** Bytes after the header, footer not counted. */
    final int size;

    private TagHeader(int version, int flags, int size) {
        this.version = version;
        this.flags = flags;
        this.size = size;
    }

    /** Whether the first length bytes of data begin with the tag marker. */
    static boolean startsTag(byte[] data, int length) {
        return length >= 3 && data[0] == 'I' && data[1] == 'D' && data[2] == '3';
    }

    /** Parses the header at the start of data, which holds at least LENGTH bytes. */
    static TagHeader parse(byte[] data) throws ID3Exception {
        int version = data[3] & 0xFF;
        int revision = data[4] & 0xFF;
        int flags = data[5] & 0xFF;
        if (version < 2 || version > 4) {
            throw new ID3Exception("ID3v2 version 2." + version + " is not supported (only 2.2, 2.3 and 2.4 are)");
        }
        if (revision == 0xFF) {
            throw new ID3Exception("bad ID3v2 header: the revision byte is 0xFF");
        }
        int unknown = flags & ~KNOWN_FLAGS[version];
        if (unknown != 0) {
            throw new ID3Exception(String.format(
                    "bad ID3v2 header: flags 0x%02X are not defined for version 2.%d", unknown, version));
        }
        if (version == 2 && (flags & VERSION_2_COMPRESSED) != 0) {
            throw new ID3Exception("the version 2.2 tag is marked compressed, and no compression was ever defined for it");
        }
        long size = TagNumbers.syncsafe(data, 6);
        if (size < 0) {
            throw new ID3Exception("bad ID3v2 header: the tag size bytes are not syncsafe");
        }
        return new TagHeader(version, flags, (int) size);
    }

    boolean isUnsynchronised() {
        return (flags & UNSYNCHRONISED) != 0;
    }

    boolean hasExtendedHeader() {
        return version >= 3 && (flags & EXTENDED_HEADER) != 0;
    }

    int footerLength() {
        return version == 4 && (flags & FOOTER) != 0 ? LENGTH : 0;
    }
}
