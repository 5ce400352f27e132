package app.journal;

import java.io.File;
import java.util.zip.CRC32;

/** A list is written: `write n path`, confirmed with the CRC-32 and the size of what it holds. */
public final class ListWrite extends Change {
    static final String KIND = "write";

    private String crc;
    private String size;

    public ListWrite(File path) {
        super(path);
    }

    static ListWrite read(String[] fields) {
        return fields.length == 1 ? new ListWrite(new File(fields[0])) : null;
    }

    @Override
    String kind() {
        return KIND;
    }

    @Override
    String[] fields() {
        return new String[] {path().getPath()};
    }

    /** What the confirmation of a written list holds. */
    static String[] confirmation(byte[] written) {
        return new String[] {Long.toHexString(crc(written)), Integer.toString(written.length)};
    }

    @Override
    void confirm(String[] confirmation) {
        super.confirm(confirmation);
        if (confirmation.length == 2) {
            crc = confirmation[0];
            size = confirmation[1];
        }
    }

    /** Confirmed with what the list held when the run had written it. */
    public boolean isConfirmedWithContent() {
        return crc != null;
    }

    /** The bytes are what the run wrote. */
    public boolean isWhatWasWritten(byte[] bytes) {
        return crc != null && Long.toHexString(crc(bytes)).equals(crc) && Integer.toString(bytes.length).equals(size);
    }

    private static long crc(byte[] bytes) {
        CRC32 crc = new CRC32();
        crc.update(bytes);
        return crc.getValue();
    }
}
