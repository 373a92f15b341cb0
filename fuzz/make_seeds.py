#!/usr/bin/env python3
"""Writes the seed corpora of the caption, encoder-answer, system-info, task-rules, reply-queue,
discovery-targets and reply-dispatch fuzz targets: a few valid inputs and a few broken ones each. The files are
checked in; run this again only to change them (it rewrites exactly these files). Files named
finding_* are inputs a fuzzer found a fault with, kept as found; the H.264 seeds come from
fuzz/preview/make_h264_seeds."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(folder, name, data):
    path = os.path.join(HERE, folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


def bmp(width, height, bits, rows=None, palette=None, compression=0, info_size=40,
        data_offset=None, cut=0, used=0):
    """An uncompressed bottom-up BMP; rows are stored as given (bottom row first)."""
    stride = ((width * bits + 31) // 32) * 4
    if palette is None:
        palette = [(0, 0, 0), (255, 255, 255)] if bits == 1 else []
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    if rows is None:
        rows = b"".join(bytes((i * 37 + y * 11) & 0xFF for i in range(stride)) for y in range(abs(height)))
    header_end = 14 + info_size + len(pal)
    offset = header_end if data_offset is None else data_offset
    info = struct.pack("<IiiHHIIiiII", info_size, width, height, 1, bits, compression, len(rows),
                       2835, 2835, used, 0)
    info += bytes(info_size - 40)
    body = info + pal
    body += bytes(max(0, offset - 14 - len(body)))
    data = b"BM" + struct.pack("<IHHI", 14 + len(body) + len(rows), 0, 0, offset) + body + rows
    return data[:len(data) - cut] if cut else data


def caption():
    d = "pages/corpus/caption_bmp"
    good = bmp(16, 2, 1)
    write(d, "mono_16x2.bmp", good)
    write(d, "mono_3840x3.bmp", bmp(3840, 3, 1))              # two transfer chunks
    write(d, "mono_33x128.bmp", bmp(33, 128, 1, palette=[(255, 255, 255), (0, 0, 0)]))
    write(d, "mono_8x4_timeouts.bmp", bmp(8, 4, 1) + bytes([7, 7, 6, 5, 7, 7, 7, 7]))
    write(d, "pal4_5x1.bmp", bmp(5, 1, 4, palette=[(i * 16, 0, 255 - i * 16) for i in range(16)]))
    write(d, "pal8_short_palette.bmp", bmp(4, 2, 8, palette=[(1, 2, 3), (4, 5, 6), (7, 8, 9)], used=3))
    write(d, "rgb16_3x2.bmp", bmp(3, 2, 16))
    write(d, "rgb24_4x2.bmp", bmp(4, 2, 24))
    write(d, "rgb32_2x2_v5_header.bmp", bmp(2, 2, 32, info_size=124))
    write(d, "bad_rows_cut.bmp", bmp(16, 4, 1, cut=3))
    write(d, "bad_rle8.bmp", bmp(4, 2, 8, palette=[(0, 0, 0)] * 256, compression=1))
    write(d, "bad_rle4_move.bmp", bmp(4, 2, 4, rows=b"\x02\x11\x00\x02\x00\x02\x00\x01",
                                      palette=[(0, 0, 0), (255, 255, 255)], used=2, compression=2))  # past the top
    write(d, "rle8_37x2_padded_rows.bmp", bmp(37, 2, 8, rows=b"\x28\x00\x00\x00\x01\x00\x01\x01\x26\x00\x00\x00\x00\x01",
                                              palette=[(255, 0, 0), (0, 0, 255)], used=2, compression=1))  # as ImageMagick writes
    write(d, "rle4_5x1_literal_past_edge.bmp", bmp(5, 1, 4, rows=b"\x00\x07\x12\x31\x20\x00\x00\x01",
                                                   palette=[(0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255)], used=4,
                                                   compression=2))
    write(d, "bad_top_down.bmp", bmp(16, -2, 1))
    write(d, "bad_too_tall.bmp", bmp(8, 129, 1))
    write(d, "bad_depth_2.bmp", bmp(16, 2, 2))
    write(d, "bad_info_size.bmp", good[:14] + struct.pack("<I", 0x7FFFFFFF) + good[18:])
    good = bmp(16, 2, 1)
    write(d, "bad_data_offset.bmp", good[:10] + struct.pack("<I", 0xFFFFFFF0) + good[14:])
    write(d, "not_bmp.bin", b"GIF89a" + bytes(60))


def encoder():
    d = "pages/corpus/encoder_answer"
    good = bytes([0xFF, 1, 0, 0, 0, 0, 0x60, 1, 0, 0, 0, 0, 0, 0, 0])
    refused = bytes([0xFF, 1, 0, 0, 0, 0, 0x60, 0, 0, 0, 0, 0, 0, 0, 0])
    bad_op = bytes([0xFF, 1, 0, 0, 0, 0, 0x61, 1, 0, 0, 0, 0, 0, 0, 0])
    write(d, "success_whole", bytes([14]) + good)
    write(d, "success_in_bytes", bytes([0]) + good)
    write(d, "refused_split_4", bytes([3]) + refused)
    write(d, "bad_then_good_split_7", bytes([6]) + bad_op + good)
    write(d, "short_answer", bytes([2]) + good[:9])
    write(d, "garbage", bytes([5]) + bytes(range(0, 256, 7)))
    write(d, "answer_alone", good)


def system_info():
    d = "pages/corpus/system_info"
    rec = struct.pack("<BxH4s4H2B", 1, 1205, b"ABCD", 1, 0x22, 3, 4, 0, 0)
    write(d, "plain", rec + bytes([2, 5]))
    write(d, "second_version", struct.pack("<BxH4s4H2B", 1, 0, b"A\0C\0", 0xFFFF, 0, 0x1234, 0xABCD, 1, 0) + bytes([255, 99]))
    write(d, "unprintable_letters", struct.pack("<BxH4s4H2B", 0, 65535, b"\x01\x7f\xff\n", 0, 0, 0, 0, 0, 0))
    write(d, "all_ff", bytes([0xFF]) * 20)
    write(d, "short", b"\x01\x00")


def task_rules():
    d = "pages/corpus/task_rules"
    def task(y, mo, da, h, mi, s, preset=0, option=1):
        return struct.pack("<8Bi", y, mo, da, h, mi, s, preset, 0, option)
    ticks = bytes([64 + 30, 64 + 30, 10, 200, 64 + 100, 0, 255])
    write(d, "valid_task_valid_clock", task(26, 12, 7, 9, 30, 0, 3) + b"\x08\x00" + bytes([26, 12, 7, 23, 59, 59, 5]) + ticks)
    write(d, "feb29_2001", task(1, 2, 29, 12, 0, 0, 9) + b"\x00\x00" + bytes([24, 2, 29, 0, 0, 0, 1]) + ticks)
    write(d, "month_13_hour_24", task(255, 13, 31, 24, 60, 60, 10, 2) + b"\xff\x03" + bytes([0, 0, 0, 0, 0, 0, 0]))
    write(d, "zeros", bytes(12))
    write(d, "clock_unset", task(0, 1, 1, 0, 0, 0) + b"\x01\x00" + bytes([255, 255, 255, 255, 255, 255, 3]) + ticks)
    write(d, "all_ff", bytes([0xFF]) * 40)


def reply_queue():
    d = "device/corpus/reply_queue"
    # limits, then ops: < 0xE0 push (id index, address, status, arg, length, payload), >= 0xE0 take.
    def push(op, addr=0, status=0, arg=0, length=0, payload=b""):
        return bytes([op, addr, status, arg, length]) + payload
    backlog = b"".join(push(3, i % 3, 0, i, 1, b"\x01") for i in range(8))
    write(d, "in_order", bytes([4, 10, 0]) + backlog + bytes([0xE4, 0xE4, 0xE4]))
    write(d, "coalesce_status", bytes([8, 20, 0]) + backlog + push(2, 1) + push(2, 1) + push(0, 2) + push(0, 2) + bytes([0xE4]) * 4)
    write(d, "coalesce_exact", bytes([8, 20, 0]) + backlog + push(4, 1, 1, 9) + push(4, 1, 1, 9) + bytes([0xE4]) * 4)
    write(d, "drop_on_count", bytes([0, 30, 0]) + backlog + backlog + bytes([0xE1]) + backlog)
    write(d, "drop_on_bytes", bytes([28, 2, 40]) + push(0x43, 0, 0, 0, 40, b"\x01\x00\x01\x00") + push(0x43, 0, 0, 0, 90) + bytes([0xE0]))
    write(d, "full_block_grows", bytes([4, 6, 0]) + backlog[:15] + push(0x41, 0, 0, 0, 1) + push(0x41, 0, 0, 0, 200) + bytes([0xE4]) * 3)


def discovery():
    d = "shell/corpus/discovery_targets"
    write(d, "two_targets", "127.0.0.1:61213, 127.0.0.2")
    write(d, "blanks_and_tabs", " 127.0.0.3\t127.0.0.4:1\n127.0.0.5:65535 ")
    write(d, "bad_ports", "127.0.0.1:0,127.0.0.1:65536,127.0.0.1:x,127.0.0.1:80:90,127.0.0.1:")
    write(d, "bad_addresses", "300.1.1.1 1.2.3 1.2.3.4.5 ... 01.2.3.4")
    write(d, "letters", "a.b.c.d,localhost")
    write(d, "empty", "")
    write(d, "unicode", "\u0661.\u0662.\u0663.\u0664 127.0.0.\u0661")


def reply_dispatch():
    d = "shell/corpus/reply_dispatch"
    big, small = 0x7FFFFFFF, -0x80000000

    def rep(reply_id, payload=b"", a0=0, a1=0, status=0, address=0):
        return struct.pack("<BBBiiH", reply_id + 1, status, address, a0, a1, len(payload)) + payload

    def window(w, h_pos, v_pos, h_act, v_act):
        return rep(10, struct.pack("<5i", h_pos, v_pos, h_act, v_act, 0), w)

    def work_mode(mode, pgm=(0, 0, 0, 0), pvw=(0, 0, 0, 0)):
        return rep(20, struct.pack("<B3xi4B4B", mode, 0, *pgm, *pvw))

    def logo(usage, on=1):
        return rep(15, bytes([usage, 0, on, 0, 0, 0]) + struct.pack("<4H4H4H4H", 40, 0, 0, 0, 30, 0, 0, 0,
                                                                      200, 0, 0, 0, 100, 0, 0, 0) + bytes([1, 0, 0, 0]))

    def splicing(mode):
        return rep(12, struct.pack("<3i", mode, 0, 0) + bytes(96))

    def block(windows, pvw_mode=0):
        b = bytearray(2360)
        struct.pack_into("<iHH", b, 0, 0, 1920, 1080)
        for w, (hp, vp, ha, va) in enumerate(windows):
            struct.pack_into("<BBBBiiiii", b, 0x90 + 24 * w, 1, 255, w, 0, hp, vp, ha, va, 0)
        b[0x8C8] = pvw_mode
        return rep(2, bytes(b))

    def every_window(v):
        return b"".join(window(w, v, v, v, v) for w in range(4))

    write(d, "layer_windows_largest", every_window(big))
    write(d, "layer_windows_smallest", every_window(small))
    write(d, "layer_windows_mixed", window(0, big, 0, big, 100) + window(1, small, 5, 300, small)
          + window(2, 100, 100, 0, 0) + window(3, 5000, 3000, 200, 100))
    write(d, "work_modes_with_extremes", work_mode(1, (1, 0, 0, 1), (0, 1, 0, 0)) + every_window(big)
          + work_mode(2, (0, 1, 0, 1), (1, 0, 1, 0)) + every_window(small) + work_mode(0))
    write(d, "block_with_extremes", block([(big, big, big, big), (small, small, small, small), (0, 0, 0, 0),
                                           (1000, 500, 640, 360)]))
    write(d, "block_in_dual_mode", block([(0, 0, 960, 540)] * 4, pvw_mode=2))
    write(d, "logo_use_on_and_off", logo(1) + window(3, big, big, 10, 10) + logo(0) + window(3, 100, 100, 400, 300))
    write(d, "splicing_modes", splicing(5) + every_window(big) + splicing(2) + splicing(4) + every_window(small))
    write(d, "preview_on_with_windows", rep(1, b"\x01") + every_window(big) + rep(1, b"\x00"))
    write(d, "events_and_acks", rep(24, bytes([3, 0])) + rep(9, b"\x00") + rep(24, bytes([0, 1, 0]))
          + rep(24, bytes([1, 0, 0])) + rep(23))
    write(d, "bad_ids_and_short_payloads", rep(-1) + rep(32, b"\x01\x02") + rep(10, b"\x01\x02\x03", 0)
          + window(7, 1, 2, 3, 4) + window(-1, 1, 2, 3, 4))
    write(d, "empty", b"")


if __name__ == "__main__":
    caption()
    encoder()
    system_info()
    task_rules()
    reply_queue()
    discovery()
    reply_dispatch()
