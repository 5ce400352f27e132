package jid3;

import java.io.IOException;
import java.io.InputStream;
import java.util.Arrays;
import java.util.zip.DataFormatException;
import java.util.zip.Inflater;

/**
 * Inflates the zlib data of a compressed frame as it is read, never past its declared size, and
 * stops once FrameContent.KEPT_BYTES have come out: a frame that inflates to more gives its start.
 */
final class Inflation {
    private static final int INPUT_CHUNK = 4096;

    private Inflation() {
    }

    static byte[] inflate(InputStream compressed, long declaredSize, String frameId) throws IOException, ID3Exception {
        boolean cappedBelowDeclared = declaredSize > FrameContent.KEPT_BYTES;
        int room = (int) Math.min(declaredSize, FrameContent.KEPT_BYTES);
        // One byte more than is kept tells whether the data goes on past the declared size.
        byte[] out = new byte[room + 1];
        int length = 0;
        byte[] input = new byte[INPUT_CHUNK];
        Inflater inflater = new Inflater();
        try {
            while (length < out.length && !inflater.finished()) {
                if (inflater.needsDictionary()) {
                    throw new ID3Exception("frame " + frameId + ": the compressed data needs a preset dictionary");
                }
                if (inflater.needsInput()) {
                    int got = compressed.read(input, 0, input.length);
                    if (got <= 0) {
                        throw new ID3Exception("frame " + frameId + ": the compressed data is cut short");
                    }
                    inflater.setInput(input, 0, got);
                }
                length += inflater.inflate(out, length, out.length - length);
            }
        } catch (DataFormatException e) {
            throw new ID3Exception("frame " + frameId + ": the compressed data is corrupt", e);
        } finally {
            inflater.end();
        }
        if (length > room && !cappedBelowDeclared) {
            throw new ID3Exception("frame " + frameId + ": the compressed data inflates past " + room + " bytes");
        }
        return Arrays.copyOf(out, Math.min(length, room));
    }
}
