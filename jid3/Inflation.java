package jid3;

import java.io.ByteArrayOutputStream;
import java.util.zip.DataFormatException;
import java.util.zip.Inflater;

/** Inflates the zlib data of a compressed frame, never past its declared size or a sane cap. */
final class Inflation {
    /** More than any text frame needs; a lying declared size cannot make us hold more. */
    static final long MAX_INFLATED = 16L << 20;

    private Inflation() {
    }

    static byte[] inflate(byte[] data, int from, int to, long declaredSize, String frameId) throws ID3Exception {
        long limit = Math.min(declaredSize, MAX_INFLATED);
        Inflater inflater = new Inflater();
        try {
            inflater.setInput(data, from, to - from);
            // Grows with what really comes out, so the declared size alone allocates nothing.
            ByteArrayOutputStream out = new ByteArrayOutputStream();
            byte[] chunk = new byte[8192];
            while (!inflater.finished()) {
                int n = inflater.inflate(chunk);
                if (n == 0 && !inflater.finished()) {
                    throw new ID3Exception("frame " + frameId + ": the compressed data is cut short");
                }
                if (out.size() + n > limit) {
                    throw new ID3Exception("frame " + frameId + ": the compressed data inflates past "
                            + limit + " bytes");
                }
                out.write(chunk, 0, n);
            }
            return out.toByteArray();
        } catch (DataFormatException e) {
            throw new ID3Exception("frame " + frameId + ": the compressed data is corrupt", e);
        } finally {
            inflater.end();
        }
    }
}
